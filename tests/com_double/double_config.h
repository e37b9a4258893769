#pragma once
// What the recording automation double plays: its objects, their members, what each member
// answers and which calls fail. Read from a UTF-8 text file, one statement a line:
//
//   # a comment
//   log C:\path\calls.log            where the calls go (default: the file's path + ".log")
//   create Application               the object CoCreateInstance answers
//   create none                      success without an object
//   create fail 0x80040154           CoCreateInstance fails with this HRESULT
//   Application.Visible              a member that takes anything and answers nothing
//   Application.Documents = object Documents
//   MAPISession.SessionID id 5 = i4 77
//   Documents.Open = none            a VT_DISPATCH without an object
//   MailMerge.OpenDataSource fails scode 0x800A141F Text of the error   as Word raises it
//   Application.Visible call 2 fails scode 0x800A01A8 Text   only the member's second call
//
// Values: "object NAME", "none", "empty", "bool true|false", "i2 N", "i4 N", "bstr TEXT".
// Failures: "wcode N" and "scode N" raise an exception (EXCEPINFO), "hresult N" answers that
// HRESULT; numbers are decimal or 0x hexadecimal. The real components raise their own errors
// as "scode 0x800Axxxx" (facility 0x000A, wCode 0); "wcode" is for other servers. Names compare
// without regard to case. A later line for a member replaces the earlier one.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace com_double {

struct Value {
    enum class Kind { Empty, Object, NoObject, Bool, I2, I4, String } kind = Kind::Empty;
    long number = 0;   // Bool (0 or 1), I2, I4
    std::string text;  // Object: its name; String: the text
};

struct Failure {
    enum class Kind { WCode, SCode, HResult } kind = Kind::WCode;
    long code = 0;
    std::string description;
    int onlyCall = 0;  // 0: every call; n: only the member's n-th call
};

struct Member {
    std::string name;
    long id = 0;
    Value value;
    std::optional<Failure> failure;
};

struct Config {
    std::string logPath;
    enum class Creation { Object, NoObject, Fail } creation = Creation::Object;
    std::string root;
    long createError = 0;
    // Object name (upper case) -> its members in file order.
    std::map<std::string, std::vector<Member>> objects;
    std::vector<std::string> problems;  // lines that could not be read
};

Config ParseConfig(const std::string& text, const std::string& defaultLogPath);

std::string UpperAscii(std::string text);

// The member of an object by name or by id; nullptr when it has none.
const Member* FindMember(const Config& config, const std::string& object, const std::string& name);
const Member* FindMember(const Config& config, const std::string& object, long id);

}  // namespace com_double
