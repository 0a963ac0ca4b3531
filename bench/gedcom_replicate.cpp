// Makes a large GEDCOM file for benchmarks from a real one: the records of
// the source file are written again and again, each copy with its own IDs
// (every @X@ definition and pointer becomes @X.k@) so that all pointers
// resolve, under a single HEAD and a single TRLR.
//
//     gedcom_replicate SOURCE TARGET MEGABYTES
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool IsXref(const std::string& field) {
    return field.size() > 2 && field.front() == '@' && field.back() == '@' && field[1] != '#';
}

std::string Tagged(const std::string& xref, int k) {
    return xref.substr(0, xref.size() - 1) + "." + std::to_string(k) + "@";
}

// Rewrites the ID or pointer field of one line for copy `k`.
std::string Renumber(const std::string& line, int k) {
    size_t b1 = line.find(' ');
    if (b1 == std::string::npos) return line;
    size_t b2 = line.find(' ', b1 + 1);
    std::string field1 = line.substr(b1 + 1, b2 == std::string::npos ? std::string::npos : b2 - b1 - 1);
    if (IsXref(field1)) return line.substr(0, b1 + 1) + Tagged(field1, k) + (b2 == std::string::npos ? "" : line.substr(b2));
    if (b2 == std::string::npos) return line;
    size_t b3 = line.find(' ', b2 + 1);
    std::string field2 = line.substr(b2 + 1, b3 == std::string::npos ? std::string::npos : b3 - b2 - 1);
    if (IsXref(field2)) return line.substr(0, b2 + 1) + Tagged(field2, k) + (b3 == std::string::npos ? "" : line.substr(b3));
    return line;
}

// The value of the first FAMS line of the record that `id` opens, or "".
std::string FirstSpouseFamily(const std::vector<std::string>& body, const std::string& id) {
    const std::string opening = "0 " + id + " INDI";
    bool inRecord = false;
    for (const std::string& line : body) {
        if (line.rfind("0 ", 0) == 0) inRecord = line == opening;
        if (inRecord && line.rfind("1 FAMS ", 0) == 0) return line.substr(7);
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    const bool linked = argc == 6 && std::string(argv[4]) == "--link";
    if (argc != 4 && !linked) {
        std::cerr << "usage: gedcom_replicate SOURCE TARGET MEGABYTES [--link ID]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "gedcom_replicate: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::vector<std::string> header, body;
    std::string line;
    bool inHeader = false, skipping = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 3 && line[0] == '0' && line[1] == ' ') {
            inHeader = line == "0 HEAD" || line.rfind("0 HEAD ", 0) == 0;
            skipping = line == "0 TRLR";
        }
        if (skipping) continue;
        (inHeader ? header : body).push_back(line);
    }
    const uint64_t target = std::strtoull(argv[3], nullptr, 10) * 1000 * 1000;
    const std::string root = linked ? argv[5] : "";
    const std::string family = linked ? FirstSpouseFamily(body, root) : "";
    if (linked && family.empty()) {
        std::cerr << "gedcom_replicate: " << root << " has no spouse family\n";
        return 1;
    }
    uint64_t headerSize = 0;
    for (const std::string& h : header) headerSize += h.size() + 1;
    // Counted first, so that the last copy's family names no child after it.
    int copies = 0;
    for (uint64_t size = headerSize; size < target;) {
        ++copies;
        for (const std::string& b : body) size += Renumber(b, copies).size() + 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    uint64_t written = 0;
    auto write = [&](const std::string& line) {
        out << line << '\n';
        written += line.size() + 1;
    };
    for (const std::string& h : header) write(h);
    for (int k = 1; k <= copies; ++k) {
        for (const std::string& b : body) {
            write(Renumber(b, k));
            if (!linked) continue;
            if (k > 1 && b == "0 " + root + " INDI") write("1 FAMC " + Tagged(family, k - 1));
            if (k < copies && b == "0 " + family + " FAM") write("1 CHIL " + Tagged(root, k + 1));
        }
    }
    out << "0 TRLR\n";
    std::cout << "wrote " << written << " bytes to " << argv[2] << "\n";
    return out ? 0 : 1;
}
