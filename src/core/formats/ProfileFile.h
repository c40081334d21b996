#pragma once
// The program's private-profile (INI) file, read and written a key or a list of keys per
// call, with the semantics of the Windows GetPrivateProfileStringA /
// WritePrivateProfileStringA functions that the settings were first stored with, so
// existing settings files keep working.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ProfileFile {
public:
    // A key by its section and name.
    struct KeyName {
        std::string_view section;
        std::string_view key;
    };
    // A key and the value to store under it.
    struct KeyValue {
        std::string_view section;
        std::string_view key;
        std::string_view value;
    };

    explicit ProfileFile(std::string path);

    const std::string& path() const;

    // The file is read anew on every call: the program keeps no copy, so edits made by
    // another instance or by hand are seen at once. Any failure to read gives the default.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Read as an integer; nonzero is true. A value that is no integer gives the default.
    bool readBoolean(std::string_view section, std::string_view key, bool defaultValue) const;

    // Many keys with one reading of the file (an operation that reads many keys reads the
    // file once, however long it is): the value of each as readString finds it, nullopt
    // where it is missing or the file cannot be read.
    std::vector<std::optional<std::string>> readStrings(std::span<const KeyName> keys) const;

    // Throw SonorailError("Unable to write to " + path()) when the file cannot be read or
    // replaced, or when the names or the value cannot be stored (see withValue). The file
    // is then left as it was.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);   // decimal
    void writeBoolean(std::string_view section, std::string_view key, bool value);  // "1" / "0"
    // Many keys with one reading and one replacement of the file, in their order, as many
    // writeString calls would leave it; all of them or, on failure, none.
    void writeStrings(std::span<const KeyValue> values);

    // The text functions behind the file ones. Names are compared without regard to ASCII
    // case, after trimming spaces and tabs on both sides, in the file and in the request.

    // The value of key in section, unquoted and trimmed, at most kMaxValueLength bytes; the
    // first matching key of the first matching section that holds it.
    static std::optional<std::string> findValue(std::string_view content, std::string_view section,
                                                std::string_view key);
    // findValue of every key, in one pass over the content.
    static std::vector<std::optional<std::string>> findValues(std::string_view content, std::span<const KeyName> keys);
    // content with key in section set to value: the line findValue reads is changed in place,
    // else a line is added to the section, else the section is appended. Throws
    // std::invalid_argument for text that would break the file's lines: CR or LF anywhere,
    // "]" in the section, an empty key, "=" in the key, a key starting with "[" or ";".
    static std::string withValue(std::string_view content, std::string_view section, std::string_view key,
                                 std::string_view value);
    // The content as withValue of each value in turn would leave it, made in one pass; throws
    // before changing anything when one of them cannot be stored.
    static std::string withValues(std::string_view content, std::span<const KeyValue> values);
    // Decimal with an optional sign, or hexadecimal after "$" or "0x"; nullopt for anything else.
    static std::optional<int> parseInteger(std::string_view text);

    static constexpr std::size_t kMaxValueLength = 1023;

private:
    [[noreturn]] void throwUnableToWrite() const;

    std::string filePath;
};
