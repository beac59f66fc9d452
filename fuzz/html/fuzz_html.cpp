// libFuzzer target for the HTML parser and the selector language.
//
// Input: one flag byte, then an optional selector ending at the first NUL byte,
// then the page. Flag bit 0 picks the INPUT quote rule, bit 1 reads the page as
// raw UTF-16 code units (lone surrogates included) instead of UTF-8.
#include "acquisition/html/HtmlParser.h"
#include "acquisition/html/HtmlSelector.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace dedizo;

namespace {

void exercise(const HtmlElement& e)
{
    (void)e.text();
    (void)e.innerHtml();
    (void)e.outerHtml();
    (void)e.content();
    for (int i = 0; i < e.attributeCount(); ++i)
        (void)e.attributes(e.attributeNames(i));
    (void)e.closeTag().orignal();
    (void)e.owner().tagName();
}

void select(const HtmlElement& doc, const QString& selector)
{
    try {
        const HtmlElementList found = doc.find(selector);
        int n = 0;
        for (const HtmlElement& e : found) {
            exercise(e);
            if (++n == 16)
                break;
        }
        if (!found.isEmpty())
            (void)found.item(0).find(selector).count();
    } catch (const HtmlError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    ++data;
    --size;
    QString selector;
    bool haveSelector = false;
    if (const void* nul = std::memchr(data, 0, size)) {
        const std::size_t len = static_cast<const std::uint8_t*>(nul) - data;
        selector = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(len));
        haveSelector = true;
        data += len + 1;
        size -= len + 1;
    }
    QString page;
    if (flags & 2)
        page = QString(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    else
        page = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    HtmlElement doc;
    try {
        doc = ParseHtml(page, flags & 1);
    } catch (const HtmlError&) {
        if (haveSelector) {
            try {
                (void)parseSelector(selector);
            } catch (const HtmlError&) {
            }
        }
        return 0;
    }
    // Every token's source text appears at most once in the document's markup.
    if (doc.outerHtml().size() > page.size())
        std::abort();
    exercise(doc);
    if (haveSelector) {
        select(doc, selector);
    } else {
        for (const char* s : {"td.td1", "form[name=form1]", "* ~ * + *", "div > p a[href^=http]", "* *"})
            select(doc, QString::fromLatin1(s));
    }
    return 0;
}
