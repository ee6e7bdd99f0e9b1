#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace skivra::test {

// What write-tags.py says each file it wrote must read back as: file name, then field name,
// then the value (UTF-8, "\r" in the file standing for a carriage return).
using TTagManifest = std::map<std::string, std::map<std::string, std::string>>;

inline TTagManifest ReadTagManifest(const std::string& sPath) {
    TTagManifest manifest;
    std::ifstream file(sPath);
    std::string sLine;
    while (std::getline(file, sLine)) {
        std::istringstream fields(sLine);
        std::string sFile, sField, sValue;
        std::getline(fields, sFile, '\t');
        std::getline(fields, sField, '\t');
        std::getline(fields, sValue);
        for (std::size_t i = 0; (i = sValue.find("\\r", i)) != std::string::npos;) {
            sValue.replace(i, 2, "\r");
        }
        manifest[sFile][sField] = sValue;
    }
    return manifest;
}

} // namespace skivra::test
