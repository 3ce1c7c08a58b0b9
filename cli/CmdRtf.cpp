#include "Commands.h"

#include "platform/Cp1250.h"
#include "platform/FileRead.h"
#include "rtf/RtfRead.h"
#include "rtf/RtfWrite.h"

#include <cstdio>

namespace sarw::cli {

namespace {

int runRtf(Context& ctx) {
    const auto& a = ctx.args;
    if (a.size() != 2 || (a[0] != "to-text" && a[0] != "from-text"))
        return usageError("rtf: pouziti rtf to-text SOUBOR | rtf from-text SOUBOR");
    std::string bytes;
    if (!readWholeFile(ctx.session.platform().native(arg1250(a[1])), bytes)) {
        std::fputs(("Soubor nelze precist: " + a[1] + "\n").c_str(), stderr);
        return kFailure;
    }
    const std::string text = a[0] == "to-text" ? rtf::plainText(rtf::readRtf(bytes))
                                               : rtf::writeRtf(rtf::fromPlainText(bytes));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kOk;
}

const Registrar
    reg({"rtf",
         "  rtf to-text FILE              the text of an RTF file, in UTF-8\n"
         "  rtf from-text FILE            a UTF-8 text file as RTF, a line a paragraph\n",
         runRtf,
         Writes::No,
         {{"to-text"}, {"from-text"}}});

} // namespace

} // namespace sarw::cli
