// Names and texts from the database that hold HTML's own characters reach the
// page as text: a browser's parser reads back exactly the stored value in
// titles, headings, cells and attributes, no element comes from the data, and
// the template passes through byte for byte around its tokens.

#include "HtmlReader.h"
#include "ReportTestSupport.h"
#include "report/ReportFiles.h"

namespace tw::test {
namespace {

const QString kTag = QStringLiteral("<script>alert(1)</script>");
const QString kClan = QStringLiteral("O'Brien & <b>Co</b>");
const QString kSite = QStringLiteral("http://den.example/?a=1&b=\"2\"");
const QString kQuote = QStringLiteral("He said \"run\" & 'hide' <i>now</i>");
const QString kType = QStringLiteral("<i>Slayer</i>");
const QString kMedal = QStringLiteral("A&B <x>");

// SQL text literal.
QString sql(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

class Escaping : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        templateText_ = bytes(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/tps/template.html"));
        writeTemplate(templateText_);
        seed(QStringLiteral("INSERT INTO Clan VALUES (%1, %2, '', '', '');"
                            "INSERT INTO Medal VALUES (%3, 2, 'Short \"s\"', 'Long <u>l</u>');")
                 .arg(sql(kClan), sql(kSite), sql(kMedal)));
        addPlayer(kTag, 2, 10, sql(kClan), sql(kQuote));
        addGames(kTag, 1, 12, QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"),
                 QStringLiteral("%1, '<Lockout>', 'Team Slayer', 'N', 300").arg(sql(kType)));
        seed(QStringLiteral("INSERT INTO Game_Player_Medal VALUES (1, %1, %2, 3);")
                 .arg(sql(kTag), sql(kMedal)));
        state_.currentGamertag = kTag;
        prompter_.answerMessage(MsgResult::No);
        createReport();
        page_ = state_.tpsDir + reportFileStem(kTag) + QStringLiteral(".html");
        ASSERT_TRUE(QFile::exists(page_)) << logText().toStdString();
        elements_ = readHtml(page_);
    }

    // The elements of one tag whose attribute `name` is `value`.
    QList<HtmlElement> with(const QString& tag, const QString& name, const QString& value) const {
        QList<HtmlElement> found;
        for (const HtmlElement& element : named(elements_, tag)) {
            if (element.attrs.value(name) == value) {
                found.append(element);
            }
        }
        return found;
    }

    QByteArray templateText_;
    QString page_;
    QList<HtmlElement> elements_;
};

TEST_F(Escaping, TitleHeadingAndProfileTextsReadBackAsStored) {
    ASSERT_EQ(named(elements_, QStringLiteral("title")).size(), 1);
    EXPECT_EQ(named(elements_, QStringLiteral("title"))[0].text,
              kTag + QStringLiteral(" \u00b7 TPS Report"));
    ASSERT_EQ(named(elements_, QStringLiteral("h1")).size(), 1);
    EXPECT_EQ(named(elements_, QStringLiteral("h1"))[0].text, kTag);
    EXPECT_TRUE(named(elements_, QStringLiteral("script")).isEmpty());

    const auto links = named(elements_, QStringLiteral("a"));
    ASSERT_EQ(links.size(), 1);
    EXPECT_EQ(links[0].text, kClan);
    EXPECT_EQ(links[0].attrs.value(QStringLiteral("href")), kSite);
    const auto quotes =
        with(QStringLiteral("div"), QStringLiteral("class"), QStringLiteral("quote"));
    ASSERT_EQ(quotes.size(), 1);
    EXPECT_EQ(quotes[0].text, QStringLiteral("\u201c") + kQuote + QStringLiteral("\u201d"));
}

TEST_F(Escaping, PicturePathsAndAttributesHoldTheWholeValue) {
    const auto emblem =
        with(QStringLiteral("img"), QStringLiteral("class"), QStringLiteral("emblem"));
    ASSERT_EQ(emblem.size(), 1);
    EXPECT_EQ(emblem[0].attrs.value(QStringLiteral("src")),
              QStringLiteral("..\\avatar\\<script>alert(1)<_script>.jpg"));
    EXPECT_EQ(emblem[0].attrs.value(QStringLiteral("alt")), QStringLiteral("Emblem of ") + kTag);
    EXPECT_EQ(with(QStringLiteral("img"), QStringLiteral("src"),
                   QStringLiteral("..\\avatar\\<script>alert(1)<_script>_smbw.jpg"))
                  .size(),
              1);
    // The medal's picture and its cells, from the medal catalogue.
    EXPECT_EQ(
        with(QStringLiteral("img"), QStringLiteral("src"), QStringLiteral("..\\medal\\A&B <x>.bmp"))
            .size(),
        1);
    QStringList cells;
    for (const HtmlElement& cell : named(elements_, QStringLiteral("td"))) {
        cells.append(cell.text);
    }
    EXPECT_TRUE(cells.contains(QStringLiteral("Short \"s\" - Long <u>l</u>")));
    // The matrix's type and map headings.
    EXPECT_TRUE(cells.contains(kType + QStringLiteral("\u00a0")));
    EXPECT_TRUE(cells.contains(QStringLiteral("<Lo")));
    // No element came from the data.
    for (const char* tag : {"script", "i", "u", "x"}) {
        EXPECT_TRUE(named(elements_, QString::fromLatin1(tag)).isEmpty()) << tag;
    }
    for (const HtmlElement& bold : named(elements_, QStringLiteral("b"))) {
        EXPECT_NE(bold.text, QStringLiteral("Co"));
    }
}

TEST_F(Escaping, TheTemplatePassesThroughByteForByteAroundItsTokens) {
    // The page is the template's text with each token replaced by something
    // holding no markup of its own, except the two tables.
    const QRegularExpression token(QStringLiteral("\\?[A-Z0-9_]+\\?"));
    QString pattern = QStringLiteral("\\A");
    const QString text = QString::fromUtf8(templateText_);
    qsizetype at = 0;
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        pattern += QRegularExpression::escape(text.mid(at, match.capturedStart() - at));
        const bool tables = match.captured() == QLatin1String("?EFFICIENCY_MATRIX?") ||
                            match.captured() == QLatin1String("?TROPHY_ROOM?");
        pattern += tables ? QStringLiteral("(.*?)") : QStringLiteral("([^<>\"']*?)");
        at = match.capturedEnd();
    }
    pattern += QRegularExpression::escape(text.mid(at)) + QStringLiteral("\r\n\\z");
    const QString page = QString::fromUtf8(bytes(page_));
    const auto match =
        QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption).match(page);
    EXPECT_TRUE(match.hasMatch()) << page.toStdString();
    const QString verdict = htmlVerdict(page_);
    EXPECT_TRUE(verdict.startsWith(QStringLiteral("ok "))) << verdict.toStdString();
}

}  // namespace
}  // namespace tw::test
