#pragma once

#include <QObject>
#include <functional>

namespace dedizo {

// Hint text as shown: a text containing "：\r\n" becomes a titled hint (the
// part before it in bold, the rest as the body); other texts stay plain.
QString hintHtml(const QString& hint);

// Installed on the application by the main window: F9 anywhere locks the
// screen (the key press is consumed), and every hint is shown in the hint
// style for 20 seconds.
class ApplicationFilter : public QObject
{
    Q_OBJECT
public:
    static constexpr int kHintMilliseconds = 20000;

    explicit ApplicationFilter(std::function<void()> lockScreen, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_lockScreen;
    bool m_locking = false;
};

} // namespace dedizo
