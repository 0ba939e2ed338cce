#include "Catalogue.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>

#include "EphemerisConstants.h"
#include "Galactic.h"
#include "Text.h"

namespace kelvo {

namespace {

std::string_view Trim(std::string_view t) {
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.remove_prefix(1);
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
    return t;
}

// A line's fields: name, RA, Dec, epoch, and the note (the rest, commas
// and all). Empty when the line is a comment or blank.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (fields.size() < 4) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) break;
        fields.push_back(Trim(line.substr(0, comma)));
        line.remove_prefix(comma + 1);
    }
    fields.push_back(Trim(line));
    return fields;
}

// The reason a line cannot be taken, or empty; fills entry.
std::string ReadLine(std::string_view line, CatalogueEntry& entry) {
    for (char c : line)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
            return "a control character in the line";
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() < 3) return "needs name, right ascension and declination, separated by commas";
    if (f[0].empty()) return "no name";
    if (f[0].size() > TextBufferSize - 1)
        return "the name is longer than 39 bytes";
    if (NameAsUtf8(f[0]) != f[0]) return "the name is not UTF-8";
    const TypedAngle ra = TypedRightAscension(f[1]);
    if (!ra.Problem.empty()) return "right ascension \"" + std::string(f[1]) + "\": " + ra.Problem;
    const TypedAngle dec = TypedDeclination(f[2]);
    if (!dec.Problem.empty()) return "declination \"" + std::string(f[2]) + "\": " + dec.Problem;
    entry.Name = std::string(f[0]);
    entry.RaDeg = ra.Degrees;
    entry.DecDeg = dec.Degrees;
    const std::string_view epoch = f.size() > 3 ? f[3] : std::string_view();
    if (epoch.empty() || EqualIgnoringCase(epoch, "J2000")) {
        // as given
    } else if (EqualIgnoringCase(epoch, "B1950")) {
        double r = 0.0, d = 0.0;
        B1950ToJ2000(ra.Degrees * DegToRad, dec.Degrees * DegToRad, r, d);
        entry.RaDeg = r * RadToDeg;
        entry.DecDeg = d * RadToDeg;
    } else {
        return "epoch \"" + std::string(epoch) + "\": J2000 or B1950";
    }
    entry.Note = f.size() > 4 ? std::string(f[4]) : std::string();
    return {};
}

}  // namespace

Catalogue ParseCatalogue(std::string_view text, const std::string& path) {
    Catalogue c;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > CatalogueLineLimit) {
            c.Problems.push_back({path, number, "longer than 1000 characters: skipped"});
            continue;
        }
        const std::size_t hash = line.find('#');
        line = Trim(line.substr(0, hash));
        if (line.empty()) continue;
        CatalogueEntry entry;
        const std::string why = ReadLine(line, entry);
        if (why.empty())
            c.Entries.push_back(std::move(entry));
        else
            c.Problems.push_back({path, number, NameAsUtf8(why) + ": skipped"});
    }
    return c;
}

Catalogue ReadCatalogue(const std::string& path) {
    std::string why;
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(OpenRegularFile(path.c_str(), &why));
    if (!file) {
        Catalogue c;
        if (why != std::strerror(ENOENT))
            c.Problems.push_back({path, 0, "cannot be read (" + why + ")"});
        return c;
    }
    std::string text;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, n);
    Catalogue c = ParseCatalogue(text, path);
    if (std::ferror(file.get()))
        c.Problems.push_back({path, 0, "a read error ended the file early"});
    return c;
}

const CatalogueEntry* FindInCatalogue(const Catalogue& catalogue, std::string_view text) {
    for (const CatalogueEntry& e : catalogue.Entries)
        if (EqualIgnoringCase(Trim(text), e.Name)) return &e;
    return nullptr;
}

void SelectCatalogueEntry(ObservationState& s, const CatalogueEntry& e) {
    s.Kind = SourceKind::Fixstar;
    s.SourceRa = e.RaDeg * DegToRad;
    s.SourceDec = e.DecDeg * DegToRad;
    // The source button shows Latin-1: UTF-8 turned into it where it can be.
    std::string latin1;
    for (std::size_t i = 0; i < e.Name.size(); ++i) {
        const auto c = static_cast<unsigned char>(e.Name[i]);
        if (c < 0x80) {
            latin1 += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < e.Name.size()) {
            latin1 += static_cast<char>(((c & 0x03) << 6) | (e.Name[i + 1] & 0x3F));
            ++i;
        } else {
            latin1 += '?';
            while (i + 1 < e.Name.size() && (e.Name[i + 1] & 0xC0) == 0x80) ++i;
        }
    }
    SetText(s.SourceName, latin1);
    s.RedrawPending = true;
}

}  // namespace kelvo
