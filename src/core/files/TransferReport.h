#pragma once
// What a file-manager command says in the information bar, at its end, about the files it
// left alone. One line: a cancel comes first, then failures (the reason before the last
// one's name), then files left because they were their own destination.
#include <string>

class TransferReport {
public:
    // verb: how the line says what did not happen ("copied", "moved", "deleted", "renamed").
    explicit TransferReport(std::string verb) : verb(std::move(verb)) {}

    // name: the row as the file system spells it.
    void sameFile(const std::string& name);
    void failed(const std::string& name, int error);
    void cancelled(const std::string& name);

    // The line for the information bar; empty when every file was handled.
    std::string message() const;

private:
    std::string verb;
    int sameFiles = 0;
    int failures = 0;
    bool wasCancelled = false;
    std::string lastSame;
    std::string lastFailed;
    std::string lastReason;
};

// The reason in words for a file that could not be handled.
std::string FailureReason(int error);
