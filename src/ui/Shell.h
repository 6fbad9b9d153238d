#pragma once

#include <string>

namespace wavemark {

// The system's shell: what opens a web address, a mail link or a document
// with its default program, and what starts a program. Texts are in the
// local 8-bit encoding. Each call says whether the system took the request.
class Shell {
public:
    virtual ~Shell() = default;
    // A web address or "mailto:" link.
    virtual bool openAddress(const std::string& address) = 0;
    // The document `file`, named relative to `workingFolder` when that is
    // not empty.
    virtual bool openDocument(const std::string& file, const std::string& workingFolder) = 0;
    virtual bool startProgram(const std::string& path) = 0;
};

// Opens a saved file with the program the system associates with its type:
// the document is handed over by its file name with its folder as working
// folder, and when the system cannot open it, the whole path is started as
// a program. False when neither worked.
bool OpenAppl(Shell& shell, const std::string& path);

} // namespace wavemark
