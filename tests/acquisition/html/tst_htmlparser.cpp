#include "acquisition/html/HtmlCli.h"
#include "acquisition/html/HtmlParser.h"
#include "acquisition/html/HtmlSelector.h"

#include <QFile>
#include <QTest>

using namespace dedizo;

namespace {

// Tag names of the children, e.g. "P,#TEXT,BR".
QString childTags(const HtmlElement& e)
{
    QStringList tags;
    for (int i = 0; i < e.childrenCount(); ++i)
        tags << e.children(i).tagName();
    return tags.join(u',');
}

// One describing string per match: its id attribute, or tag name when it has none.
QString ids(const HtmlElementList& list)
{
    QStringList out;
    for (const HtmlElement& e : list)
        out << (e.hasAttribute(u"id") ? e.attributes(u"id") : e.tagName());
    return out.join(u',');
}

QString parseError(const QString& html, bool ignoreQuotes = true)
{
    try {
        ParseHtml(html, ignoreQuotes);
    } catch (const HtmlError& e) {
        return e.message();
    }
    return QString();
}

HtmlElement first(const HtmlElement& root, const QString& selector)
{
    return root.find(selector).item(0);
}

} // namespace

class TestHtmlParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void implicitClosing();
    void voidElements();
    void strayEndTagIsDropped();
    void quotedTagEnd_data();
    void quotedTagEnd();
    void processWideInputOption();
    void scriptAndStyleBodies_data();
    void scriptAndStyleBodies();
    void commentsAndDoctype_data();
    void commentsAndDoctype();
    void parseErrors_data();
    void parseErrors();
    void attributes();
    void sourcePositions();
    void innerOuterHtmlAndText();
    void entities_data();
    void entities();
    void deepNestingNeedsNoStack();

    void selectorErrors_data();
    void selectorErrors();
    void attributeOperators_data();
    void attributeOperators();
    void combinatorsAndGroups_data();
    void combinatorsAndGroups();
    void findIsScopedToTheElement();
    void selectorModel();

    void catalogueResultPage();
    void cliCommand_data();
    void cliCommand();
};

void TestHtmlParser::implicitClosing()
{
    // The P left open in the first cell is closed by the cell's end tag; the next
    // cell is the row's child, not the paragraph's.
    const HtmlElement doc = ParseHtml(u"<table><tr><td><p>a</td><td>b</td></tr></table>"_qs);
    const HtmlElement tr = first(doc, u"tr"_qs);
    QCOMPARE(childTags(tr), u"TD,TD"_qs);
    const HtmlElement td = tr.children(0);
    QCOMPARE(childTags(td), u"P"_qs);
    const HtmlElement p = td.children(0);
    QVERIFY(p.isClosed());
    QVERIFY(p.closeTag().isNull());
    QCOMPARE(td.closeTag().orignal(), u"</td>"_qs);
    QCOMPARE(tr.children(1).text(), u"b"_qs);
    QCOMPARE(doc.tagName(), u"#DOCUMENT"_qs);
    QVERIFY(doc.isClosed());
}

void TestHtmlParser::voidElements()
{
    const HtmlElement doc =
        ParseHtml(u"<p>line one<br>line two<img src=a.gif><b>bold</b><hr/><span/>x</p>"_qs);
    const HtmlElement p = first(doc, u"p"_qs);
    // Text after BR stands beside the break; IMG takes no B; a self-closed SPAN takes no text.
    QCOMPARE(childTags(p), u"#TEXT,BR,#TEXT,IMG,B,HR,SPAN,#TEXT"_qs);
    QCOMPARE(p.children(1).childrenCount(), 0);
    QCOMPARE(p.children(2).content(), u"line two"_qs);
    QVERIFY(p.children(6).isClosed());
    QCOMPARE(p.text(), u"line oneline twoboldx"_qs);
}

void TestHtmlParser::strayEndTagIsDropped()
{
    const HtmlElement doc = ParseHtml(u"<p>a</div>b</p></p>"_qs);
    QCOMPARE(doc.childrenCount(), 1);
    const HtmlElement p = doc.children(0);
    QCOMPARE(childTags(p), u"#TEXT,#TEXT"_qs);
    QCOMPARE(p.innerHtml(), u"ab"_qs);
    QCOMPARE(p.closeTag().orignal(), u"</p>"_qs);
}

void TestHtmlParser::quotedTagEnd_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("ignoreQuotesInInput");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("A honours quotes") << u"<a title=\"x>y\">t</a>"_qs << true << u"x>y"_qs << u"t"_qs;
    QTest::newRow("INPUT ends at first >")
        << u"<p><input title=\"x>y\">t</p>"_qs << true << u"x"_qs << u"y\">t"_qs;
    QTest::newRow("INPUT with option off")
        << u"<p><input title=\"x>y\">t</p>"_qs << false << u"x>y"_qs << u"t"_qs;
    QTest::newRow("SCRIPT never honours quotes")
        << u"<script title=\"x>y\"></script>"_qs << false << u"x"_qs << QString();
    QTest::newRow("single quotes do not count")
        << u"<a title='x>y'>t</a>"_qs << true << u"x"_qs << u"y'>t"_qs;
}

void TestHtmlParser::quotedTagEnd()
{
    QFETCH(QString, html);
    QFETCH(bool, ignoreQuotesInInput);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const HtmlElement doc = ParseHtml(html, ignoreQuotesInInput);
    const HtmlElement e = first(doc, u"[title]"_qs);
    QVERIFY(!e.isNull());
    QCOMPARE(e.attributes(u"title"), title);
    const HtmlElement textHolder = e.tagName() == u"INPUT"_qs ? e.owner() : e;
    QCOMPARE(textHolder.text(), text);
}

void TestHtmlParser::processWideInputOption()
{
    const QString html = u"<input value=\"a>b\">"_qs;
    QVERIFY(ignoreQuotesInInput());
    QCOMPARE(first(ParseHtml(html), u"input"_qs).attributes(u"value"), u"a"_qs);
    setIgnoreQuotesInInput(false);
    const QString value = first(ParseHtml(html), u"input"_qs).attributes(u"value");
    setIgnoreQuotesInInput(true);
    QCOMPARE(value, u"a>b"_qs);
}

void TestHtmlParser::scriptAndStyleBodies_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("bodyTag");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("after"); // text of the P that follows

    QTest::newRow("end tag inside string literal")
        << u"<script>var s = \"</script>\"; f('</SCRIPT>');</script><p>after</p>"_qs << u"#SCRIPT"_qs
        << u"var s = \"</script>\"; f('</SCRIPT>');"_qs << u"after"_qs;
    QTest::newRow("escaped quote inside literal")
        << u"<script>a = \"\\\"</script>\";</script><p>after</p>"_qs << u"#SCRIPT"_qs
        << u"a = \"\\\"</script>\";"_qs << u"after"_qs;
    QTest::newRow("end tag inside comments")
        << u"<script>/* </script> */ x(); // </script>\ny();</Script ><p>after</p>"_qs << u"#SCRIPT"_qs
        << u"/* </script> */ x(); // </script>\ny();"_qs << u"after"_qs;
    QTest::newRow("markup inside script is not parsed")
        << u"<script>if (a < b && c > d) document.write('<p>no</p>');</script><p>after</p>"_qs
        << u"#SCRIPT"_qs << u"if (a < b && c > d) document.write('<p>no</p>');"_qs << u"after"_qs;
    QTest::newRow("script hidden in comment")
        << u"<script><!-- var s = '</script>'; //-->\n  </script><p>after</p>"_qs << u"#SCRIPT"_qs
        << u"<!-- var s = '</script>'; //-->\n  "_qs << u"after"_qs;
    QTest::newRow("style ends at its end tag") << u"<style>a > b { c: 'd' }</STYLE><p>after</p>"_qs
                                               << u"#STYLE"_qs << u"a > b { c: 'd' }"_qs << u"after"_qs;
    QTest::newRow("empty script") << u"<script src=\"x.js\"></script><p>after</p>"_qs << u"#SCRIPT"_qs
                                  << QString() << u"after"_qs;
}

void TestHtmlParser::scriptAndStyleBodies()
{
    QFETCH(QString, html);
    QFETCH(QString, bodyTag);
    QFETCH(QString, body);
    QFETCH(QString, after);
    const HtmlElement doc = ParseHtml(html);
    QCOMPARE(doc.childrenCount(), 2);
    const HtmlElement element = doc.children(0);
    QCOMPARE(element.childrenCount(), 1);
    QCOMPARE(element.children(0).tagName(), bodyTag);
    QCOMPARE(element.children(0).content(), body);
    QVERIFY(!element.closeTag().isNull());
    QCOMPARE(doc.children(1).tagName(), u"P"_qs);
    QCOMPARE(doc.children(1).text(), after);
}

void TestHtmlParser::commentsAndDoctype_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("content");

    QTest::newRow("comment with >") << u"<!-- a > b -- c -->"_qs << u"#COMMENT"_qs
                                    << u"<!-- a > b -- c -->"_qs;
    QTest::newRow("CDATA") << u"<![CDATA[ x > \">\" ]]>"_qs << u"#COMMENT"_qs
                           << u"<![CDATA[ x > \">\" ]]>"_qs;
    QTest::newRow("processing instruction")
        << u"<?xml version=\"1.0\" a=\"?>\"?>"_qs << u"#COMMENT"_qs << u"<?xml version=\"1.0\" a=\"?>\"?>"_qs;
    QTest::newRow("declaration") << u"<!ELEMENT br EMPTY>"_qs << u"#COMMENT"_qs << u"<!ELEMENT br EMPTY>"_qs;
    QTest::newRow("doctype") << u"<!doctype html>"_qs << u"#DOCTYPE"_qs << u"html"_qs;
    QTest::newRow("doctype public") << u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" >"_qs
                                    << u"#DOCTYPE"_qs << u"HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\""_qs;
    QTest::newRow("comment decodes entities")
        << u"<!-- &lt;b&gt; -->"_qs << u"#COMMENT"_qs << u"<!-- <b> -->"_qs;
}

void TestHtmlParser::commentsAndDoctype()
{
    QFETCH(QString, html);
    QFETCH(QString, tag);
    QFETCH(QString, content);
    const HtmlElement doc = ParseHtml(html + u"<p>x</p>"_qs);
    QCOMPARE(childTags(doc), tag + u",P"_qs);
    QCOMPARE(doc.children(0).content(), content);
    QCOMPARE(doc.children(0).orignal(), html);
    QCOMPARE(doc.text(), u"x"_qs);
}

void TestHtmlParser::parseErrors_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("error");

    QTest::newRow("unfinished comment") << u"<p>a</p>\n<div>\n<!-- never closed > -\n<p>b</p>"_qs
                                        << u"LineNum:3无法找到Tag结束点:<!-- never closed > -\n<p>b</p>"_qs;
    QTest::newRow("unfinished tag") << u"<p>a</p><a href=\"x>"_qs
                                    << u"LineNum:1无法找到Tag结束点:<a href=\"x>"_qs;
    QTest::newRow("context is cut at 100 characters")
        << (u"<p title=\""_qs + QString(200, u'x'))
        << (u"LineNum:1无法找到Tag结束点:<p title=\""_qs + QString(90, u'x'));
    QTest::newRow("unfinished script comment") << u"<script>\n<!-- x"_qs << QString();
    QTest::newRow("unfinished script comment at start")
        << u"<script><!-- x();\nvar a;"_qs << u"未完结的Script行:2;列:7;"_qs;
    QTest::newRow("unfinished style comment") << u"<style><!-- p {}"_qs << u"未完结的Style行:1;列:17;"_qs;
    QTest::newRow("text with a lone < before the end") << u"a < b"_qs << u"LineNum:1无法找到Tag结束点:< b"_qs;
}

void TestHtmlParser::parseErrors()
{
    QFETCH(QString, html);
    QFETCH(QString, error);
    QCOMPARE(parseError(html), error);
}

void TestHtmlParser::attributes()
{
    const HtmlElement doc = ParseHtml(
        u"<A HREF='/f?a=1&amp;b=2' Title=\"x &quot;y&quot;\" data-x=plain checked id=a1 id=a2 empty=\"\" sp = \"v w\">"_qs);
    const HtmlElement a = doc.children(0);
    QCOMPARE(a.tagName(), u"A"_qs);
    QCOMPARE(a.attributes(u"href"), u"/f?a=1&b=2"_qs);
    QCOMPARE(a.attributes(u"HREF"), u"/f?a=1&b=2"_qs);
    QCOMPARE(a.attributes(u"title"), u"x \"y\""_qs);
    QCOMPARE(a.attributes(u"data-x"), u"plain"_qs);
    QCOMPARE(a.attributes(u"id"), u"a2"_qs); // the later one wins
    QCOMPARE(a.attributes(u"sp"), u"v w"_qs);
    QVERIFY(a.hasAttribute(u"checked"));
    QVERIFY(a.hasAttribute(u"EMPTY"));
    QCOMPARE(a.attributes(u"checked"), QString());
    QVERIFY(!a.hasAttribute(u"missing"));
    QCOMPARE(a.attributes(u"missing"), QString());
    QStringList names;
    for (int i = 0; i < a.attributeCount(); ++i)
        names << a.attributeNames(i);
    QCOMPARE(names, (QStringList{u"checked"_qs, u"data-x"_qs, u"empty"_qs, u"href"_qs, u"id"_qs, u"sp"_qs,
                                 u"title"_qs}));
    QCOMPARE(a.attributeNames(-1), QString());
    QCOMPARE(a.attributeNames(7), QString());

    // A value whose closing quote was cut off by the tag end keeps its last character.
    const HtmlElement input = ParseHtml(u"<input value=\"abc>\">"_qs, true).children(0);
    QCOMPARE(input.attributes(u"value"), u"abc"_qs);
}

void TestHtmlParser::sourcePositions()
{
    const HtmlElement doc = ParseHtml(u"<html>\r\n  <body>\n\t<p class=x>text</p>\n</body>"_qs);
    const HtmlElement p = first(doc, u"p"_qs);
    QCOMPARE(p.sourceLine(), 3);
    QCOMPARE(p.sourceCol(), 2);
    QCOMPARE(p.children(0).sourceLine(), 3);
    QCOMPARE(p.children(0).sourceCol(), 13);
    QCOMPARE(p.closeTag().sourceCol(), 17);
    const HtmlElement body = first(doc, u"body"_qs);
    QCOMPARE(body.sourceLine(), 2);
    QCOMPARE(body.sourceCol(), 3);
}

void TestHtmlParser::innerOuterHtmlAndText()
{
    const QString html = u"<div id=d><p>x &amp; y</p><br>z<!--c--><ul><li>1<li>2</ul></div>tail"_qs;
    const HtmlElement doc = ParseHtml(html);
    const HtmlElement div = first(doc, u"#d"_qs);
    QCOMPARE(div.outerHtml(), u"<div id=d><p>x &amp; y</p><br>z<!--c--><ul><li>1<li>2</ul></div>"_qs);
    QCOMPARE(div.innerHtml(), u"<p>x &amp; y</p><br>z<!--c--><ul><li>1<li>2</ul>"_qs);
    QCOMPARE(div.text(), u"x & yz12"_qs);
    QCOMPARE(doc.innerHtml(), html);
    QCOMPARE(doc.outerHtml(), html);
    QCOMPARE(doc.text(), u"x & yz12tail"_qs);
    const HtmlElement text = first(div, u"p"_qs).children(0);
    QCOMPARE(text.text(), u"x & y"_qs);
    QCOMPARE(text.orignal(), u"x &amp; y"_qs);
}

void TestHtmlParser::entities_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");

    QTest::newRow("decimal") << u"x&#65;"_qs << u"xA"_qs;
    QTest::newRow("dollar hex") << u"x&#$41;"_qs << u"xA"_qs;
    QTest::newRow("x hex") << u"x&#x41;&#X4a;"_qs << u"xAJ"_qs;
    QTest::newRow("nbsp") << u"a&nbsp;"_qs << u"a\u00A0"_qs;
    QTest::newRow("NBSP") << u"a&NBSP;"_qs << u"a\u00A0"_qs;
    QTest::newRow("Nbsp") << u"a&Nbsp;"_qs << u"a\u00A0"_qs;
    QTest::newRow("case kept for capitals") << u"&Aacute;&aacute;&Dagger;&dagger;"_qs << u"Áá‡†"_qs;
    QTest::newRow("euro and thetasym") << u"&euro;&thetasym;"_qs << u"\u20AC\u03D1"_qs;
    QTest::newRow("non-digit starts again") << u"x&#12a66;"_qs << u"xB"_qs;
    QTest::newRow("beyond 16 bits") << u"x&#131072;"_qs << QString::fromUcs4(U"x\U00020000");
    QTest::newRow("out of range") << u"x&#1114112;&#0;"_qs << u"x\uFFFD\uFFFD"_qs;
    QTest::newRow("no semicolon") << u"a &amp b &#65"_qs << u"a &amp b &#65"_qs;
    QTest::newRow("unknown name keeps its case") << u"AT&T; Corp"_qs << u"AT&T; Corp"_qs;
    QTest::newRow("unknown then known") << u"a & b &amp; c"_qs << u"a & b & c"_qs;
    QTest::newRow("far semicolon") << u"&#1 and a long sentence that ends here;"_qs
                                   << u"&#1 and a long sentence that ends here;"_qs;
    QTest::newRow("three characters stay") << u"&a;"_qs << u"&a;"_qs;
    QTest::newRow("four characters") << u"&lt;"_qs << u"<"_qs;
    QTest::newRow("chinese text") << u"书名&lt;第2版&gt;"_qs << u"书名<第2版>"_qs;
}

void TestHtmlParser::entities()
{
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QCOMPARE(decodeHtmlEntities(text), decoded);
    // Text nodes and attribute values decode the same way.
    const HtmlElement doc = ParseHtml(u"<p title=\""_qs + text + u"\">"_qs + text + u"</p>"_qs);
    QCOMPARE(doc.children(0).attributes(u"title"), decoded);
    QCOMPARE(doc.children(0).text(), decoded);
}

void TestHtmlParser::deepNestingNeedsNoStack()
{
    const int depth = 200000;
    QString html;
    html.reserve(depth * 12);
    for (int i = 0; i < depth; ++i)
        html += u"<div>"_qs;
    html += u"x"_qs;
    for (int i = 0; i < depth; ++i)
        html += u"</div>"_qs;
    const HtmlElement doc = ParseHtml(html);
    QCOMPARE(doc.text(), u"x"_qs);
    QCOMPARE(doc.outerHtml().size(), html.size());
    QCOMPARE(doc.find(u"div div div"_qs).count(), depth - 2);
    QCOMPARE(doc.find(u"div > div ~ div"_qs).count(), 0);
}

void TestHtmlParser::selectorErrors_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("error");

    QTest::newRow("blank inside name") << u"td[a b]"_qs << u"无法解析CSS Attribute操作符[1,6]"_qs;
    QTest::newRow("unclosed bracket") << u"td[a"_qs << u"无法解析CSS Attribute操作符[1,5]"_qs;
    QTest::newRow("two values") << u"td[a=b c]"_qs << u"无法解析Attribute值[1,8]"_qs;
    QTest::newRow("unclosed quoted value") << u"td[a='b]"_qs << u"无法解析Attribute值[1,9]"_qs;
    QTest::newRow("second line") << u"td,\n  a[x=1 2]"_qs << u"无法解析Attribute值[2,9]"_qs;
}

void TestHtmlParser::selectorErrors()
{
    QFETCH(QString, selector);
    QFETCH(QString, error);
    const HtmlElement doc = ParseHtml(u"<td a=b>x</td>"_qs);
    QString message;
    try {
        doc.find(selector);
    } catch (const HtmlError& e) {
        message = e.message();
    }
    QCOMPARE(message, error);
}

void TestHtmlParser::attributeOperators_data()
{
    QTest::addColumn<QString>("attribute"); // markup after "<td "
    QTest::addColumn<QString>("selector");
    QTest::addColumn<bool>("matches");

    QTest::newRow("exist") << u"data=\"\""_qs << u"td[data]"_qs << true;
    QTest::newRow("exist absent") << u"x=1"_qs << u"td[data]"_qs << false;
    QTest::newRow("equal") << u"data=abc"_qs << u"td[data=abc]"_qs << true;
    QTest::newRow("equal is case-sensitive") << u"data=abc"_qs << u"td[data=ABC]"_qs << false;
    QTest::newRow("equal doubled") << u"data=abc"_qs << u"td[data==abc]"_qs << true;
    QTest::newRow("name in any case") << u"DATA=abc"_qs << u"td[Data=\"abc\"]"_qs << true;
    QTest::newRow("not equal") << u"data=abc"_qs << u"td[data!=abd]"_qs << true;
    QTest::newRow("not equal same") << u"data=abc"_qs << u"td[data!=abc]"_qs << false;
    QTest::newRow("not equal absent") << u"x=1"_qs << u"td[data!=abc]"_qs << false;
    QTest::newRow("begin equal text") << u"data=abc"_qs << u"td[data^=abc]"_qs << false;
    QTest::newRow("begin longer") << u"data=abcd"_qs << u"td[data^=abc]"_qs << true;
    QTest::newRow("begin other") << u"data=xabc"_qs << u"td[data^=abc]"_qs << false;
    QTest::newRow("end equal text") << u"data=abc"_qs << u"td[data$=abc]"_qs << false;
    QTest::newRow("end longer") << u"data=xabc"_qs << u"td[data$='abc']"_qs << true;
    QTest::newRow("contain") << u"data=xabcx"_qs << u"td[data*=abc]"_qs << true;
    QTest::newRow("contain equal text") << u"data=abc"_qs << u"td[data*=abc]"_qs << true;
    QTest::newRow("contain absent") << u"data=xabx"_qs << u"td[data*=abc]"_qs << false;
    QTest::newRow("word") << u"class=\"td1 bold\""_qs << u"td[class~=bold]"_qs << true;
    QTest::newRow("word not part") << u"class=\"td1 bolder\""_qs << u"td[class~=bold]"_qs << false;
    QTest::newRow("word quoted part") << u"data='a \"b c\" d'"_qs << u"td[data~=\"b c\"]"_qs << true;
    QTest::newRow("word tab separated") << u"class=\"a\tb\""_qs << u"td.b"_qs << true;
    QTest::newRow("begin word dash") << u"lang=en-US"_qs << u"td[lang|=en]"_qs << true;
    QTest::newRow("begin word underscore") << u"lang=en_US"_qs << u"td[lang|=en]"_qs << true;
    QTest::newRow("begin word whole") << u"lang=en"_qs << u"td[lang|=en]"_qs << true;
    QTest::newRow("begin word longer") << u"lang=english"_qs << u"td[lang|=en]"_qs << false;
    QTest::newRow("class") << u"class=\"td1 bold\""_qs << u"td.bold, p.bold"_qs << true;
    QTest::newRow("class compound") << u"class=\"td1 bold\""_qs << u"td.td1.bold"_qs << true;
    QTest::newRow("class missing word") << u"class=\"td1 bold\""_qs << u"td.td1.italic"_qs << false;
    QTest::newRow("id") << u"id=main"_qs << u"#main"_qs << true;
    QTest::newRow("id other") << u"id=mainly"_qs << u"#main"_qs << false;
    QTest::newRow("entity in value") << u"data=\"a&amp;b\""_qs << u"td[data='a&amp;b']"_qs << true;
    QTest::newRow("comment in selector") << u"id=main"_qs << u"td/* the cell */#main"_qs << true;
    QTest::newRow("blanks inside brackets") << u"data=abc"_qs << u"td[ data = abc ]"_qs << true;
    QTest::newRow("any tag") << u"data=abc"_qs << u"*[data]"_qs << true;
}

void TestHtmlParser::attributeOperators()
{
    QFETCH(QString, attribute);
    QFETCH(QString, selector);
    QFETCH(bool, matches);
    const HtmlElement doc = ParseHtml(u"<table><tr><td "_qs + attribute + u">text</td></tr></table>"_qs);
    const HtmlElementList found = doc.find(selector);
    QCOMPARE(found.count(), matches ? 1 : 0);
    if (matches)
        QCOMPARE(found.item(0).tagName(), u"TD"_qs);
}

void TestHtmlParser::combinatorsAndGroups_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("found");

    QTest::newRow("descendant") << u"div span"_qs << u"s1,s2"_qs;
    QTest::newRow("child") << u"#r > p"_qs << u"p1,p2,p3"_qs;
    QTest::newRow("child only") << u"#r > span"_qs << QString();
    QTest::newRow("next sibling skips text") << u"#p1 + p"_qs << u"p2"_qs;
    QTest::newRow("next sibling skips comment") << u"#p2 + p"_qs << u"p3"_qs;
    QTest::newRow("next sibling must match") << u"#p1 + span"_qs << QString();
    QTest::newRow("later siblings") << u"#p1 ~ p"_qs << u"p2,p3"_qs;
    QTest::newRow("later siblings of any") << u"p ~ *"_qs << u"p2,p3"_qs;
    QTest::newRow("chain") << u"div > p span.x"_qs << u"s2"_qs;
    QTest::newRow("groups keep their order") << u"span, p"_qs << u"s1,s2,p1,p2,p3"_qs;
    QTest::newRow("no element twice") << u"p, #p2, [id^=p]"_qs << u"p1,p2,p3"_qs;
    QTest::newRow("star is elements only") << u"#p1 *"_qs << u"s1"_qs;
    QTest::newRow("unknown tag") << u"table td, #p3"_qs << u"p3"_qs;
    QTest::newRow("blanks around combinators") << u"  #r\n>\tp ~\n#p3  "_qs << u"p3"_qs;
    QTest::newRow("empty selector") << QString() << QString();
    QTest::newRow("combinator glued to tag is part of the name") << u"div>p"_qs << QString();
}

void TestHtmlParser::combinatorsAndGroups()
{
    QFETCH(QString, selector);
    QFETCH(QString, found);
    const HtmlElement doc = ParseHtml(
        u"<div id=r><p id=p1><span id=s1>a</span></p>text<p id=p2><b><span id=s2 class='x'></span></b></p>"
        "<!--c--><p id=p3></p></div>"_qs);
    QCOMPARE(ids(doc.find(selector)), found);
}

void TestHtmlParser::findIsScopedToTheElement()
{
    const HtmlElement doc =
        ParseHtml(u"<ul id=a><li id=a1>1</li><li id=a2>2</li></ul><ul id=b><li id=b1>3</li></ul>"_qs);
    const HtmlElement b = first(doc, u"#b"_qs);
    QCOMPARE(ids(b.find(u"li"_qs)), u"b1"_qs);
    QCOMPARE(ids(b.find(u"ul"_qs)), u"b"_qs);
    const HtmlElement a1 = first(doc, u"#a1"_qs);
    // The element itself may start a sibling chain.
    QCOMPARE(ids(a1.find(u"li + li"_qs)), u"a2"_qs);
    QCOMPARE(ids(doc.find(u"ul + ul li"_qs)), u"b1"_qs);

    HtmlElementList list = doc.find(u"li"_qs);
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.indexOf(a1), 0);
    list.setItem(0, b);
    QCOMPARE(list.indexOf(b), 0);
    QVERIFY(list.item(3).isNull());
    QCOMPARE(list.item(3).text(), QString());
}

void TestHtmlParser::selectorModel()
{
    const CssSelectorItemGroup groups = parseSelector(u"div.a > P[x|='y'] + *, #i ~ td"_qs);
    QCOMPARE(groups.size(), 2);
    const CssSelectorItems& chain = groups.at(0);
    QCOMPARE(chain.size(), 3);
    QCOMPARE(chain.at(0).relation, sirNONE);
    QCOMPARE(chain.at(0).szTag, u"DIV"_qs);
    QCOMPARE(chain.at(0).attributes.at(0).key, u"class"_qs);
    QCOMPARE(chain.at(0).attributes.at(0).attrOperator, aoIncludeWord);
    QCOMPARE(chain.at(1).relation, sirChildren);
    QCOMPARE(chain.at(1).szTag, u"P"_qs);
    QCOMPARE(chain.at(1).attributes.at(0).attrOperator, aoBeginWord);
    QCOMPARE(chain.at(1).attributes.at(0).value, u"y"_qs);
    QCOMPARE(chain.at(2).relation, sirYoungerBrother);
    QCOMPARE(chain.at(2).szTag, u"*"_qs);
    QCOMPARE(groups.at(1).at(0).attributes.at(0).key, u"id"_qs);
    QCOMPARE(groups.at(1).at(1).relation, sirAllYoungerBrother);
}

void TestHtmlParser::catalogueResultPage()
{
    QFile file(QStringLiteral(DEDIZO_TEST_DATA_DIR "/html/aleph_short_list.html"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The catalogue spider reads these pages with quotes honoured in INPUT tags.
    const HtmlElement doc = ParseHtml(QString::fromUtf8(file.readAll()), false);

    const HtmlElementList forms = doc.find(u"form[name=form1]"_qs);
    QCOMPARE(forms.count(), 1);
    QCOMPARE(forms.item(0).attributes(u"action"),
             u"http://opac.example.cn:80/F/UJ4K9XGVP3AT8Q1M6C2E-01234?func=find-b"_qs);
    QCOMPARE(forms.item(0).find(u"input"_qs).count(), 2);
    QCOMPARE(forms.item(0).find(u"input[type=submit]"_qs).item(0).attributes(u"value"), u"检索 >>"_qs);

    const HtmlElementList cells = doc.find(u"td.td1"_qs);
    QCOMPARE(cells.count(), 24);
    QVERIFY(cells.item(0).text().contains(u"- 查看 -"_qs));
    QCOMPARE(cells.item(0).find(u"a"_qs).item(0).attributes(u"href"),
             u"http://opac.example.cn:80/F/UJ4K9XGVP3AT8Q1M6C2E-01235?func=full-set-set&set_number=004211"
             "&set_entry=000001&format=999"_qs);
    QCOMPARE(cells.item(2).text(), u"题名与责任"_qs);
    QCOMPARE(cells.item(3).text(), u"数据结构\u00A0: C语言版 / 严蔚敏, 吴伟民编著"_qs);
    QCOMPARE(cells.item(7).text(), u"严蔚敏"_qs);
    // The cell left open is closed by the row's end tag.
    QCOMPARE(cells.item(11).text(), u"北京 : 清华大学出版社, 2007\n"_qs);
    QCOMPARE(cells.item(15).text(), u"TP311.12"_qs);
    QVERIFY(cells.item(16).text().contains(u"- 查看 -"_qs));
    QCOMPARE(cells.item(19).text(),
             u"算法导论 = Introduction to algorithms / Thomas H. Cormen ... [等] 著 ; 殷建平 ... [等] 译"_qs);
    QCOMPARE(cells.item(23).text(), u"北京 : 机械工业出版社, 2013"_qs);

    // The script body hides a "</script>" in a comment; the stray "</div>" is dropped.
    const HtmlElement script = first(doc, u"head > script"_qs);
    QVERIFY(script.children(0).content().contains(u"self; }"_qs));
    QCOMPARE(first(doc, u"body > p.text3"_qs).text(), u"共 2 条记录 © Ex Libris"_qs);
    QCOMPARE(doc.find(u"th + th + th ~ th"_qs).count(), 1);
    QCOMPARE(doc.find(u"html > body"_qs).count(), 1);
}

void TestHtmlParser::cliCommand_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("errStart");

    const QString page = QStringLiteral(DEDIZO_TEST_DATA_DIR "/html/aleph_short_list.html");
    QTest::newRow("selects") << QStringList{page, u"td.td1[nowrap]"_qs} << 0
                             << u"题名与责任\n著者\n出版项\n中图分类号\n题名与责任\n出版项\n"_qs << QString();
    QTest::newRow("nothing found") << QStringList{page, u"table.none"_qs} << 0 << QString() << QString();
    QTest::newRow("bad selector") << QStringList{page, u"td[a b]"_qs} << 1 << QString()
                                  << u"dedizo-cli html: 无法解析CSS Attribute操作符[1,6]"_qs;
    QTest::newRow("missing file") << QStringList{u"/nonexistent/page.html"_qs, u"td"_qs} << 1 << QString()
                                  << u"dedizo-cli html: cannot read"_qs;
    QTest::newRow("missing selector") << QStringList{page} << 2 << QString() << u"usage:"_qs;
}

void TestHtmlParser::cliCommand()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, errStart);
    QString inText, outText, errText;
    QTextStream in(&inText), outStream(&outText), errStream(&errText);
    cli::CliStreams io{in, outStream, errStream};
    QCOMPARE(htmlCliCommand(args, io), exitCode);
    outStream.flush();
    errStream.flush();
    QCOMPARE(outText, out);
    QVERIFY2(errText.startsWith(errStart), qPrintable(errText));
}

QTEST_GUILESS_MAIN(TestHtmlParser)
#include "tst_htmlparser.moc"
