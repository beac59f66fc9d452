#include "acquisition/marc/MarcRecord.h"

#include "acquisition/marc/Regex.h"

#include <QHash>
#include <array>
#include <memory>

namespace dedizo {

using Json = MarcRecord::Json;

namespace {

std::string utf8(const QString& s)
{
    return s.toStdString();
}

QString fromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

// "(\|k)([^\|]*)(\|)" for each code character k; built once for every letter and digit.
const Regex& subfieldRegex(QChar code)
{
    static const auto table = [] {
        std::array<std::unique_ptr<Regex>, 128> t;
        for (char16_t c = 0; c < 128; ++c) {
            if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
                t[c] = std::make_unique<Regex>(QStringLiteral("(\\|%1)([^\\|]*)(\\|)").arg(QChar(c)));
        }
        return t;
    }();
    const char16_t c = code.unicode();
    Q_ASSERT(c < 128 && table[c]);
    return *table[c];
}

// A line made ready for subfield matching: every '|' doubled and one appended, so that
// each subfield ends with its own delimiter.
class PreparedLine
{
public:
    explicit PreparedLine(const QString& line)
    {
        m_text = QString(2 * line.size() + 1, Qt::Uninitialized);
        QChar* out = m_text.data();
        for (QChar c : line) {
            *out++ = c;
            if (c == QLatin1Char('|'))
                *out++ = c;
        }
        *out++ = QLatin1Char('|');
        m_text.truncate(out - m_text.constData());
    }

    QStringList all(QChar code) const { return scan(code, false); }
    QString first(QChar code) const
    {
        const QStringList v = scan(code, true);
        return v.isEmpty() ? QString() : v.first();
    }
    QString last(QChar code) const
    {
        const QStringList v = scan(code, false);
        return v.isEmpty() ? QString() : v.last();
    }

private:
    QStringList scan(QChar code, bool firstOnly) const
    {
        const Regex& re = subfieldRegex(code);
        QStringList values;
        qsizetype pos = 0;
        for (;;) {
            const Regex::Match m = re.match(m_text, pos);
            if (!m.matched())
                break;
            pos = m.end(0);
            QString v = trimControl(m.captured(m_text, 2));
            if (!v.isEmpty()) {
                values.append(v);
                if (firstOnly)
                    break;
            }
        }
        return values;
    }

    QString m_text;
};

bool sameIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

void fillIfEmpty(QString& target, const PreparedLine& line, QChar code)
{
    if (target.isEmpty())
        target = line.first(code);
}

void addDistinct(Json& array, const PreparedLine& line, QStringView codes)
{
    for (QChar code : codes) {
        for (const QString& value : line.all(code)) {
            const std::string v = utf8(value);
            bool present = false;
            for (const Json& e : array) {
                if (e.is_string() && sameIgnoringAsciiCase(e.get_ref<const std::string&>(), v)) {
                    present = true;
                    break;
                }
            }
            if (!present)
                array.push_back(v);
        }
    }
}

void objectOfLists(Json& object, const PreparedLine& line, QStringView codes, QStringView keyOverride = {})
{
    for (QChar code : codes) {
        const std::string key =
            utf8((keyOverride.isEmpty() ? QString(code) : keyOverride.toString()).toLower());
        const QChar one[1] = {code};
        if (!object.contains(key)) {
            Json values = Json::array();
            addDistinct(values, line, QStringView(one, 1));
            if (!values.empty())
                object[key] = std::move(values);
        } else {
            addDistinct(object[key], line, QStringView(one, 1));
        }
    }
}

void firstValueObject(Json& object, const PreparedLine& line, QStringView codes)
{
    for (QChar code : codes) {
        const std::string key = utf8(QString(code));
        if (object.contains(key))
            continue;
        const QString v = line.first(code);
        if (!v.isEmpty())
            object[key] = utf8(v);
    }
}

// The tag in characters 1-3, or 0 when they are not three digits.
int lineTag(const QString& line)
{
    if (line.size() < 3)
        return 0;
    int tag = 0;
    for (int i = 0; i < 3; ++i) {
        const char16_t c = line[i].unicode();
        if (c < '0' || c > '9')
            return 0;
        tag = tag * 10 + (c - '0');
    }
    return tag;
}

const QHash<QString, ResourceType>& resourceTypeTable()
{
    static const QHash<QString, ResourceType> table = [] {
        struct Row
        {
            const char16_t* texts[5];
            ResourceType type;
        };
        static const Row rows[] = {
            {{u"中文图书", u"专著", u"地方文献", u"规范文档", u"地方志"}, rtBookChinese},
            {{u"海外中文图书", u"海外 中文图书", u"海外00000000000000000000000中文图书"},
             rtBookChineseOverseas},
            {{u"民语文献"}, rtBookChineseMinority},
            {{u"中文古籍"}, rtBookChineseAncient},
            {{u"西文图书"}, rtBookWestern},
            {{u"日文图书"}, rtBookJapanese},
            {{u"俄文图书"}, rtBookRussian},
            {{u"法文图书"}, rtBookFrench},
            {{u"德文图书"}, rtBookGerman},
            {{u"韩文图书"}, rtBookKorean},
            {{u"中文期刊", u"期刊", u"中文连续出版物"}, rtSerialChinese},
            {{u"西文期刊", u"西文连续出版物"}, rtSerialWestern},
            {{u"日文期刊", u"日文连续出版物"}, rtSerialJapanese},
            {{u"俄文期刊"}, rtSerialRussian},
            {{u"电子期刊"}, rtSerialElectronic},
            {{u"中文报纸"}, rtNewspaperChinese},
            {{u"电子资源.CD", u"光盘", u"视频光盘"}, rtCD},
            {{u"录像资料", u"多媒体资料"}, rtRecording},
            {{u"音乐录音"}, rtMusic},
            {{u"电影胶片"}, rtFilm},
            {{u"磁带"}, rtTape},
            {{u"学位论文", u"博士论文"}, rtThesis},
            {{u"缩微制品"}, rtMicroform},
            {{u"类型不详"}, rtUnknown},
        };
        QHash<QString, ResourceType> t;
        for (const Row& row : rows) {
            for (const char16_t* text : row.texts) {
                if (text)
                    t.insert(QString::fromUtf16(text).toCaseFolded(), row.type);
            }
        }
        return t;
    }();
    return table;
}

// First value of a container: an array's first element (recursively), a string's text,
// a number's shortest decimal text; anything else is empty.
QString firstValue(const Json& j)
{
    if (j.is_array())
        return j.empty() ? QString() : firstValue(j.front());
    if (j.is_string())
        return fromUtf8(j.get_ref<const std::string&>());
    if (j.is_number())
        return QString::fromStdString(j.dump());
    return {};
}

QString firstValue(const Json& object, const char* key)
{
    if (!object.is_object())
        return {};
    const auto it = object.find(key);
    return it == object.end() ? QString() : firstValue(*it);
}

} // namespace

QString resourceTypeName(ResourceType type)
{
    static const char* const kNames[] = {
        "rtUnknown",
        "rtBookChinese",
        "rtBookChineseOverseas",
        "rtBookChineseMinority",
        "rtBookChineseAncient",
        "rtCBook3",
        "rtCBook4",
        "rtCBook5",
        "rtBookWestern",
        "rtBookJapanese",
        "rtBookRussian",
        "rtBookFrench",
        "rtBookGerman",
        "rtBookKorean",
        "rtBook5",
        "rtBook6",
        "rtSerialChinese",
        "rtSerialWestern",
        "rtSerialJapanese",
        "rtSerialRussian",
        "rtSerial2",
        "rtSerial3",
        "rtSerialElectronic",
        "rtSerial5",
        "rtNewspaperChinese",
        "rtn1",
        "rtn2",
        "rtn3",
        "rtn4",
        "rtn5",
        "rtn6",
        "rtCD",
        "rtRecording",
        "rtMusic",
        "rtFilm",
        "rtTape",
        "rtThesis",
        "rtMicroform",
    };
    static_assert(std::size(kNames) == rtMicroform + 1);
    if (type < 0 || type > rtMicroform)
        return QString::number(int(type));
    return QString::fromLatin1(kNames[type]);
}

QStringList marcSubfieldValues(const QString& line, QChar code)
{
    return PreparedLine(line).all(code);
}

QString jsonText(const Json& json, int indent)
{
    return QString::fromStdString(json.dump(indent, ' ', false, Json::error_handler_t::replace));
}

MarcRecord::MarcRecord(const Marc& marc, bool isIgnoreErrors)
    : state(marc.State), m_isIgnoreErrors(isIgnoreErrors)
{
    if (marc.isEmpty())
        return;
    switch (marc.Format) {
    case mfCNMarc:
        for (const QString& line : marc)
            parseLine(line);
        break;
    case mfMarc21:
        break; // carried, not interpreted
    default:
        throw MarcError(QStringLiteral("未处理的MARC格式"));
    }
}

void MarcRecord::parseLine(const QString& line)
{
    const int tag = lineTag(line);
    switch (tag) {
    case 10:
        parseStandardNumber(line, 1);
        return;
    case 11:
        parseStandardNumber(line, 2);
        return;
    case 16:
        parseStandardNumber(line, 3);
        return;
    case 19:
    case 91:
        parseStandardNumber(line, 4);
        return;
    case 14:
    case 18:
    case 73:
        if (!m_isIgnoreErrors)
            throw MarcError(QStringLiteral("未处理的标准号类型：") + QString::number(tag));
        return;
    default:
        break;
    }

    static const int kInterpreted[] = {101, 200, 205, 210, 215, 225, 330, 510, 517, 600, 601, 605, 606, 607,
                                       610, 675, 676, 680, 690, 692, 696, 700, 701, 702, 710, 711, 712};
    if (std::find(std::begin(kInterpreted), std::end(kInterpreted), tag) == std::end(kInterpreted))
        return;

    const PreparedLine l(line);
    switch (tag) {
    case 101:
        objectOfLists(language, l, u"ace");
        break;
    case 200:
        if (resourceType == rtUnknown) {
            const QString text = l.last(QLatin1Char('b'));
            const auto it = resourceTypeTable().constFind(text.toCaseFolded());
            if (it != resourceTypeTable().constEnd())
                resourceType = it.value();
            else if (!m_isIgnoreErrors)
                throw MarcError(QStringLiteral("Parser: 未处理的资源类型：") + text);
        }
        fillIfEmpty(titleProper, l, QLatin1Char('a'));
        fillIfEmpty(partName, l, QLatin1Char('i'));
        fillIfEmpty(partNumber, l, QLatin1Char('h'));
        fillIfEmpty(otherTitle, l, QLatin1Char('e'));
        break;
    case 205:
        fillIfEmpty(edition, l, QLatin1Char('a'));
        break;
    case 210:
        objectOfLists(publication, l, u"cad");
        break;
    case 215:
        objectOfLists(physical, l, u"adec");
        break;
    case 225:
        addDistinct(series, l, u"ai");
        break;
    case 330:
        fillIfEmpty(summary, l, QLatin1Char('a'));
        break;
    case 510:
        fillIfEmpty(titleProperParallel, l, QLatin1Char('a'));
        fillIfEmpty(otherTitleParallel, l, QLatin1Char('e'));
        break;
    case 517:
        fillIfEmpty(otherTitle, l, QLatin1Char('a'));
        break;
    case 600:
    case 601:
    case 605:
    case 606:
    case 607:
        addDistinct(subjects, l, u"ajxyz");
        break;
    case 610:
        addDistinct(subjects, l, u"a");
        break;
    case 675:
        objectOfLists(classNumber, l, u"a", u"g");
        break;
    case 676:
        objectOfLists(classNumber, l, u"a", u"d");
        break;
    case 680:
        objectOfLists(classNumber, l, u"a", u"h");
        break;
    case 690:
        objectOfLists(classNumber, l, u"a", u"z");
        break;
    case 692:
        objectOfLists(classNumber, l, u"a", u"k");
        break;
    case 696:
        objectOfLists(classNumber, l, u"a", u"q");
        break;
    default: { // 700, 701, 702, 710, 711, 712
        Json person = Json::object();
        firstValueObject(person, l, u"abcf4");
        if (!person.empty()) {
            person["t"] = tag;
            responsibilities.push_back(std::move(person));
        }
        break;
    }
    }
}

void MarcRecord::parseStandardNumber(const QString& rawLine, int type)
{
    QString line = rawLine;
    // Some catalogues lose the price delimiter: "...|b平装dCNY25.00".
    if (!line.contains(QLatin1String("|d"))) {
        if (line.contains(QLatin1String("dCNY")))
            line.replace(QLatin1String("dCNY"), QLatin1String("|dCNY"));
        else if (line.contains(QLatin1String("dKRW")))
            line.replace(QLatin1String("dKRW"), QLatin1String("|dKRW"));
        else if (line.contains(QLatin1String("TWD")))
            line.replace(QLatin1String("TWD"), QLatin1String("|dTWD"));
    }
    const PreparedLine l(line);

    QString a = l.first(QLatin1Char('a'));
    if (a.contains(QLatin1String("y0chi"))) // coded data of field 100 leaked into the number
        a.clear();
    if (a.startsWith(QLatin1String("10256.2700674nam2")))
        a = QStringLiteral("10256.27");
    QString b;
    if (a.compare(QLatin1String("CN"), Qt::CaseInsensitive) == 0)
        a = l.first(QLatin1Char('b'));
    else
        b = l.first(QLatin1Char('b'));
    const QString x = normalizeStandardNumber(a);
    const QString d = (type == 2 || type == 4) ? l.last(QLatin1Char('d')) : l.first(QLatin1Char('d'));
    const PriceDetail price = parsePriceDetail(d, m_isIgnoreErrors);

    // A price line may come before its number line; the number then joins it.
    if (standardNumbers.empty() || standardNumbers.back().contains("x"))
        standardNumbers.push_back(Json::object());
    Json& target = standardNumbers.back();
    target["t"] = type;
    if (!x.isEmpty())
        target["x"] = utf8(x);
    if (!a.isEmpty())
        target["a"] = utf8(a);
    if (!b.isEmpty())
        target["b"] = utf8(b);
    if (!price.price.isZero())
        target["d"] = currencyToJson(price.price);
    if (!price.currency.isEmpty())
        target["c"] = utf8(price.currency);
    if (!price.notes.isEmpty())
        target["n"] = utf8(price.notes);
    if (target.size() < 2)
        standardNumbers.erase(standardNumbers.end() - 1);

    // Numbers printed together share one price.
    if (standardNumbers.size() >= 2) {
        Json& last = standardNumbers[standardNumbers.size() - 1];
        Json& prev = standardNumbers[standardNumbers.size() - 2];
        const auto copyPrice = [](const Json& from, Json& to) {
            for (const char* key : {"d", "c", "n"}) {
                if (from.contains(key))
                    to[key] = from[key];
            }
        };
        if (last.contains("d")) {
            if (!prev.contains("d"))
                copyPrice(last, prev);
        } else {
            copyPrice(prev, last);
        }
    }
}

Json MarcRecord::getBasic() const
{
    Json basic = Json::object();
    const std::pair<const char*, const QString*> fields[] = {
        {"x", &titleProperParallel}, {"y", &otherTitle}, {"z", &otherTitleParallel}, {"i", &partName},
        {"h", &partNumber},          {"e", &edition},
    };
    for (const auto& [key, text] : fields) {
        if (!text->isEmpty())
            basic[key] = utf8(*text);
    }
    return basic;
}

QString MarcRecord::toString() const
{
    const QString crlf = QStringLiteral("\r\n");
    QStringList lines;
    lines << QStringLiteral("State: ") +
                 (state == msIncomplete ? QStringLiteral("msIncomplete") : QStringLiteral("msNormal"))
          << QStringLiteral("ResourceType: ") + resourceTypeName(resourceType)
          << QStringLiteral("StandardNumbers: ") + jsonText(standardNumbers)
          << QStringLiteral("TitleProper: ") + titleProper
          << QStringLiteral("TitleProperParallel: ") + titleProperParallel
          << QStringLiteral("OtherTitle: ") + otherTitle
          << QStringLiteral("OtherTitleParallel: ") + otherTitleParallel
          << QStringLiteral("PartName: ") + partName << QStringLiteral("PartNumber: ") + partNumber
          << QStringLiteral("Edition: ") + edition
          << QStringLiteral("Responsibilities: ") + jsonText(responsibilities)
          << QStringLiteral("Series: ") + jsonText(series)
          << QStringLiteral("Publication: ") + jsonText(publication)
          << QStringLiteral("Physical: ") + jsonText(physical)
          << QStringLiteral("ClassNumber: ") + jsonText(classNumber)
          << QStringLiteral("Language: ") + jsonText(language)
          << QStringLiteral("Subjects: ") + jsonText(subjects) << QStringLiteral("Summary: ") + summary
          << QStringLiteral("IsIgnoreErrors: ") +
                 (m_isIgnoreErrors ? QStringLiteral("True") : QStringLiteral("False"));
    return lines.join(crlf) + crlf + QStringLiteral("Basic: ") + jsonText(getBasic());
}

Resource MarcRecord::toResource() const
{
    Resource r;
    QString title = titleProper;
    if (!otherTitle.isEmpty())
        title += QStringLiteral(": ") + otherTitle;
    title += QLatin1Char(' ') + partNumber + QLatin1Char(' ') + partName;
    r.title = trimControl(title);

    if (responsibilities.empty())
        r.responsibility = QStringLiteral("<无>");
    else
        r.responsibility = firstValue(responsibilities.front(), "a") + QLatin1Char(' ') +
                           firstValue(responsibilities.front(), "4");

    r.publisher = firstValue(publication, "c");
    r.publicationDate = firstValue(publication, "d");
    r.publicationPlace = firstValue(publication, "a");

    const Json none = Json::object();
    const Json& number = standardNumbers.empty() ? none : standardNumbers.front();
    r.standardNumber = firstValue(number, "x");
    const QString kind = firstValue(number, "t");
    r.resourceType = kind == QLatin1String("2")   ? QStringLiteral("期刊")
                     : kind == QLatin1String("3") ? QStringLiteral("光盘")
                                                  : QStringLiteral("图书");
    r.price = Currency::fromText(firstValue(number, "d")).value_or(Currency());

    r.edition = edition;
    r.series = firstValue(series);
    r.physical = firstValue(physical, "a") + QLatin1Char(' ') + firstValue(physical, "d") + QLatin1Char(' ') +
                 firstValue(physical, "c");
    r.accompanying = firstValue(physical, "e");
    r.language = firstValue(language, "a");
    r.classNumber = firstValue(classNumber, "z");
    QStringList subjectTexts;
    for (const Json& s : subjects)
        subjectTexts << firstValue(s);
    r.subjects = subjectTexts.join(QStringLiteral(" -- "));
    r.summary = summary;
    return r;
}

Resource marcToResource(const Marc& marc)
{
    return MarcRecord(marc, true).toResource();
}

} // namespace dedizo
