// libFuzzer target: the text view's HTML reader. The first byte chooses
// whether the rest is a network line, formatted as a window prints it
// (colour codes, nicks, links, smileys), or raw HTML fed in pieces. Whatever
// comes in, every line of the document must hold runs that lie inside its
// text in order and point at styles, links and images that exist.
#include "text/FormatLine.h"
#include "view/HtmlLineParser.h"
#include "view/StyledDocument.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr int kLinesPerDocument = 2000;

// Style, Link and Image index their tables unchecked: the build's
// container assertions (_GLIBCXX_ASSERTIONS) stop at an index past the end.
void CheckLine(const StyledDocument &document, const StyledLine &line)
{
    int end = 0;
    for (const StyledRun &run : line.m_runs) {
        if (run.m_start < end || run.m_start + run.m_length > line.m_text.size())
            std::abort();
        (void)document.Style(run.m_style);
        if (run.m_link < -1)
            std::abort();
        if (run.m_link >= 0)
            (void)document.Link(run.m_link).m_command;
        if (run.m_image >= 0)
            (void)document.Image(run.m_image).m_source;
        end = run.m_start + run.m_length;
    }
    if (line.m_text.size() > HtmlLineParser::kMaxLineLength + 1)
        std::abort();
}

void CheckDocument(const StyledDocument &document, int firstLine)
{
    for (int i = firstLine; i < document.LineCount(); ++i) {
        CheckLine(document, document.Line(i));
        (void)document.CopyText(i, 0, int(document.Line(i).m_text.size()));
    }
}

FormatContext Context()
{
    FormatContext context;
    context.m_decoration.m_hiLighting = true;
    context.m_decoration.m_ownNick = "me";
    context.m_decoration.m_isNickListMember = [](std::string_view nick) { return nick == "bob" || nick == "ann"; };
    context.m_decoration.m_isContact = [](std::string_view nick) { return nick == "ann"; };
    context.m_decoration.m_smileyFolder = "/nonexistent/smiles";
    return context;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_html_view";
    static char *argv[] = {name, nullptr};
    static bool platformSet = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *app = new QGuiApplication(argc, argv);
    static StyledDocument *document = new StyledDocument;
    static HtmlLineParser *parser = new HtmlLineParser;
    static const FormatContext context = Context();
    (void)platformSet;
    (void)app;

    if (size == 0)
        return 0;
    if (document->LineCount() > kLinesPerDocument) {
        document->Clear();
        parser->Reset();
    }
    const int firstLine = document->LineCount() > 0 ? document->LineCount() - 1 : 0;
    const std::string_view rest(reinterpret_cast<const char *>(data) + 1, size - 1);
    if (data[0] & 1) {
        parser->Feed(FormatLine(rest, TextClass(data[0] >> 1 & 3), 1, context), *document);
    } else {
        // In two pieces cut at a place the input chooses: a tag or an
        // entity may be split between two fragments.
        const size_t cut = rest.empty() ? 0 : (data[0] >> 1) % rest.size();
        parser->Feed(rest.substr(0, cut), *document);
        parser->Feed(rest.substr(cut), *document);
    }
    CheckDocument(*document, firstLine);
    return 0;
}
