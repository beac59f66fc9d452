// Parses a generated 2 MB catalogue result page and selects its cells, next to
// Google's gumbo parser on the same bytes in the same run.
#include "acquisition/html/HtmlParser.h"

#include <QByteArray>
#include <QString>

#include <gumbo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace dedizo;

namespace {

QByteArray makePage(qsizetype targetBytes)
{
    QByteArray page;
    page.reserve(targetBytes + 4096);
    page +=
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html><head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\n"
        "<title>书目检索 - 简略格式</title>\n"
        "<style type=\"text/css\">td.td1 { font-size: 9pt; } a > img { border: 0 }</style>\n"
        "<script type=\"text/javascript\"><!--\nfunction openWin(u) { var w = window.open(u, 'full', \"a\"); "
        "}\n"
        "//-->\n</script>\n</head>\n<body bgcolor=\"#FFFFFF\">\n"
        "<form method=post name=form1 action=\"http://opac.example.cn/F/SESSION-01234?func=find-b\">\n"
        "<input type=text name=request size=40 value=\"\"><input type=\"submit\" value=\"检索 &gt;&gt;\">\n"
        "</form>\n<table cellspacing=2 border=0 width=\"100%\">\n";
    int n = 0;
    while (page.size() < targetBytes) {
        ++n;
        const QByteArray no = QByteArray::number(n);
        page +=
            "<tr>\n  <td class=td1 id=centered valign=top><a href=\"http://opac.example.cn/F/SESSION-01235?"
            "func=full-set-set&amp;set_number=004211&amp;set_entry=" +
            no +
            "&amp;format=999\">- 查看 -</a><br><img src=\"/icon/f-book.gif\" alt=\"图书\"></td>\n"
            "  <td class=td1>&nbsp;</td>\n  <td class=td1 nowrap>题名与责任</td>\n"
            "  <td class=td1>数据结构 第" +
            no +
            "版&nbsp;: C语言版 / 严蔚敏, 吴伟民编著</td>\n</tr>\n<tr>\n"
            "  <td class=td1>&nbsp;</td><td class=td1>&nbsp;</td>\n  <td class=td1 nowrap>出版项</td>\n"
            "  <td class=\"td1 imprint\">北京 : 清华大学出版社, 2007\n</tr>\n"
            "<!-- record " +
            no + " -->\n<tr><td colspan=4><hr size=1 noshade></td></tr>\n";
    }
    page += "</table>\n<p class=text3>共 " + QByteArray::number(n) +
            " 条记录 &copy; Ex Libris</p>\n</body></html>\n";
    return page;
}

double bestMs(int runs, const std::function<void()>& fn)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        fn();
        const auto t1 = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2]; // median
}

bool hasClassWord(const char* value, const char* word)
{
    const std::size_t len = std::strlen(word);
    for (const char* p = value; *p;) {
        while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')
            ++p;
        const char* start = p;
        while (*p && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r')
            ++p;
        if (std::size_t(p - start) == len && std::memcmp(start, word, len) == 0)
            return true;
    }
    return false;
}

// "td.td1" over a gumbo tree, walked without recursion.
int gumboSelectTd1(GumboNode* root)
{
    int count = 0;
    std::vector<GumboNode*> stack{root};
    while (!stack.empty()) {
        GumboNode* node = stack.back();
        stack.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT)
            continue;
        const GumboElement& e = node->v.element;
        if (e.tag == GUMBO_TAG_TD) {
            if (const GumboAttribute* cls = gumbo_get_attribute(&e.attributes, "class"))
                count += hasClassWord(cls->value, "td1") ? 1 : 0;
        }
        for (unsigned i = e.children.length; i-- > 0;)
            stack.push_back(static_cast<GumboNode*>(e.children.data[i]));
    }
    return count;
}

} // namespace

int main()
{
    const QByteArray utf8 = makePage(2 * 1024 * 1024);
    const QString text = QString::fromUtf8(utf8);
    const double mb = utf8.size() / (1024.0 * 1024.0);
    const int runs = 15;
    std::printf("page: %lld bytes UTF-8, %lld UTF-16 units; median of %d runs\n", (long long)utf8.size(),
                (long long)text.size(), runs);

    int ourCells = 0;
    const double oursParse = bestMs(runs, [&] { (void)ParseHtml(text); });
    const double oursParseUtf8 = bestMs(runs, [&] { (void)ParseHtml(QString::fromUtf8(utf8)); });
    const HtmlElement doc = ParseHtml(text);
    const double oursSelect = bestMs(runs, [&] { ourCells = doc.find(u"td.td1").count(); });
    const double oursCombined = bestMs(runs, [&] {
        const HtmlElement d = ParseHtml(QString::fromUtf8(utf8));
        ourCells = d.find(u"td.td1").count();
    });

    int gumboCells = 0;
    const double gumboParse = bestMs(runs, [&] {
        GumboOutput* out = gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), utf8.size());
        gumbo_destroy_output(&kGumboDefaultOptions, out);
    });
    GumboOutput* gout = gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), utf8.size());
    const double gumboSelect = bestMs(runs, [&] { gumboCells = gumboSelectTd1(gout->root); });
    gumbo_destroy_output(&kGumboDefaultOptions, gout);
    const double gumboCombined = bestMs(runs, [&] {
        GumboOutput* out = gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), utf8.size());
        gumboCells = gumboSelectTd1(out->root);
        gumbo_destroy_output(&kGumboDefaultOptions, out);
    });

    std::printf("%-34s %9s %9s\n", "", "ms", "MB/s");
    std::printf("%-34s %9.2f %9.1f\n", "dedizo ParseHtml (UTF-16 text)", oursParse, mb / oursParse * 1000);
    std::printf("%-34s %9.2f %9.1f\n", "dedizo ParseHtml (UTF-8 bytes)", oursParseUtf8,
                mb / oursParseUtf8 * 1000);
    std::printf("%-34s %9.2f %9s   (%d cells)\n", "dedizo find(\"td.td1\")", oursSelect, "", ourCells);
    std::printf("%-34s %9.2f %9.1f\n", "dedizo UTF-8 parse + select", oursCombined, mb / oursCombined * 1000);
    std::printf("%-34s %9.2f %9.1f\n", "gumbo parse (UTF-8 bytes)", gumboParse, mb / gumboParse * 1000);
    std::printf("%-34s %9.2f %9s   (%d cells)\n", "gumbo tree walk for td.td1", gumboSelect, "", gumboCells);
    std::printf("%-34s %9.2f %9.1f\n", "gumbo parse + select", gumboCombined, mb / gumboCombined * 1000);
    std::printf(
        "ratio gumbo/dedizo: parse %.2fx, select %.2fx, parse + select %.2fx (above 1: dedizo faster)\n",
        gumboParse / oursParseUtf8, gumboSelect / oursSelect, gumboCombined / oursCombined);
    return ourCells == gumboCells ? 0 : 1;
}
