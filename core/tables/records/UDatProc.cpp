#include "tables/records/UDatProc.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/model/ReadDef.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace sarw {

namespace {

// TNS1 from two places after its first point, 25 characters, not trimmed.
std::string datFieldName(const std::string& tns1) {
    const std::size_t point = tns1.find('.');
    const std::size_t start = point == std::string::npos ? 1 : point + 2;
    return start < tns1.size() ? tns1.substr(start, 25) : std::string();
}

void lengthWarning(Session& s, const std::string& data, const std::string& def) {
    warning(s, "Datovy soubor:  " + data + "\r" + "Definicni soubor:  " + def + "\r\r" +
                   "Delka vety souboru se nerovna vypoctene delce");
}

// A record file needs fields that lie within the record: no gap lines between them (they would
// push the last fields past the record's end) and at least one byte.
bool layoutUsable(Session& s, const Definition& d, const std::string& def) {
    if (d.recLen > Definition::kMaxRecLen) return false; // the reader has said why
    if (d.recLen <= 0) {
        information(s, "Definice nepopisuje zadne pole, datovy soubor nelze pouzit !", def);
        return false;
    }
    for (const auto& f : d.fields) {
        if (f.fieldPos + f.width - 1 > d.recLen) {
            information(
                s, "Definice obsahuje mezery mezi poli, pro datovy soubor ji nelze pouzit !", def);
            return false;
        }
    }
    return true;
}

// Reads the definition and checks that it can describe a record file; the file is unbound until
// then.
bool bindDefinition(Session& s, DatFile& f, const std::string& data, const std::string& def) {
    f.F.close();
    f.Name = data;
    f.DefName = def;
    f.RecLen = 0;
    f.RecCount = 0;
    return fileExistsWarn(s, def) && ReadDef(s, def) && layoutUsable(s, s.def, def);
}

} // namespace

bool DatInit(Session& s, DatFile& f, const std::string& data, const std::string& def) {
    if (!bindDefinition(s, f, data, def)) return false;
    const Definition& d = s.def;
    const std::uint64_t size = fileSize(s, data);
    const auto recLen = static_cast<std::uint64_t>(d.recLen);
    const std::uint64_t count = size / recLen;
    if (count * recLen != size ||
        count > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        lengthWarning(s, data, def);
        return false;
    }
    datCopyLayout(f, d);
    f.RecCount = static_cast<std::int32_t>(count);
    return true;
}

void datCopyLayout(DatFile& f, const Definition& d) {
    f.RecLen = static_cast<std::uint16_t>(d.recLen);
    f.PSl = static_cast<std::uint8_t>(d.fieldCount());
    f.TNS1.clear();
    f.TNS2.clear();
    f.TP.clear();
    f.TD.clear();
    f.TMs.clear();
    for (const auto& fd : d.fields) {
        f.TNS1.push_back(datFieldName(fd.tns1));
        f.TNS2.push_back(fd.heading);
        f.TP.push_back(static_cast<std::uint16_t>(fd.fieldPos));
        f.TD.push_back(static_cast<std::uint16_t>(fd.width));
        f.TMs.push_back(fd.type);
    }
}

bool DatReset(Session& s, DatFile& f, const std::string& data, const std::string& def, int mode) {
    if (!DatInit(s, f, data, def)) return false;
    if (!canOpen(s, data)) return false;
    return f.F.open(s.platform().native(data),
                    mode == kDatRead ? DatStream::Mode::Read : DatStream::Mode::ReadWrite) == 0;
}

bool DatRewrite(Session& s, DatFile& f, const std::string& data, const std::string& def) {
    // The old file stays until the new one is complete.
    if (!bindDefinition(s, f, data, def)) return false;
    datCopyLayout(f, s.def);
    const auto native = s.platform().native(data);
    std::error_code ec;
    if (std::filesystem::exists(native, ec)) Platform::setPlainAttributes(native);
    if (!canCreate(s, data)) return false;
    return f.F.open(native, DatStream::Mode::Replace, durabilityOf(s, data)) == 0;
}

bool DatClose(DatFile& f) {
    return f.F.commit();
}

bool DatRead(DatFile& f, std::string& buf) {
    if (f.RecLen == 0) return false;
    buf.resize(f.RecLen);
    if (!f.F.read(buf.data(), f.RecLen)) return false;
    blankControls(buf.data(), buf.size());
    return true;
}

bool DatWrite(DatFile& f, std::string_view buf) {
    if (f.RecLen == 0) return false;
    if (buf.size() >= f.RecLen) return f.F.write(buf.data(), f.RecLen);
    std::string rec(buf);
    rec.resize(f.RecLen, ' ');
    return f.F.write(rec.data(), f.RecLen);
}

std::string DatGetField(const DatFile& f, int field, std::string_view buf) {
    if (field < 1 || field > static_cast<int>(f.TP.size())) return {};
    const std::size_t pos = f.TP[static_cast<std::size_t>(field - 1)] - 1u;
    if (pos >= buf.size()) return {};
    return std::string(buf.substr(pos, f.TD[static_cast<std::size_t>(field - 1)]));
}

void DatPutField(const DatFile& f, int field, std::string_view text, std::string& buf) {
    if (field < 1 || field > static_cast<int>(f.TP.size())) return;
    if (buf.size() < f.RecLen) buf.resize(f.RecLen, ' ');
    const std::size_t pos = f.TP[static_cast<std::size_t>(field - 1)] - 1u;
    const std::size_t width = f.TD[static_cast<std::size_t>(field - 1)];
    if (pos >= buf.size()) return;
    const std::size_t room = std::min(width, buf.size() - pos);
    const std::size_t n = std::min(text.size(), room);
    if (n) std::memcpy(buf.data() + pos, text.data(), n);
    std::memset(buf.data() + pos + n, ' ', room - n);
}

} // namespace sarw
