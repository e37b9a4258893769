#include "double_config.h"

#include <cctype>
#include <sstream>

namespace com_double {
namespace {

bool ParseNumber(const std::string& text, long& out) {
    if (text.empty()) {
        return false;
    }
    try {
        size_t used = 0;
        const long long value = std::stoll(text, &used, 0);
        if (used != text.size()) {
            return false;
        }
        out = static_cast<long>(value);  // 0x8... codes wrap to the negative HRESULT
        return true;
    } catch (...) {
        return false;
    }
}

std::string Rest(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    const size_t start = rest.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : rest.substr(start);
}

bool ParseValue(std::istringstream& in, Value& value) {
    std::string kind;
    in >> kind;
    std::string argument;
    if (kind == "none") {
        value.kind = Value::Kind::NoObject;
        return true;
    }
    if (kind == "empty") {
        value.kind = Value::Kind::Empty;
        return true;
    }
    if (kind == "bstr") {
        value.kind = Value::Kind::String;
        value.text = Rest(in);
        return true;
    }
    in >> argument;
    if (kind == "object") {
        value.kind = Value::Kind::Object;
        value.text = argument;
        return !argument.empty();
    }
    if (kind == "bool") {
        value.kind = Value::Kind::Bool;
        value.number = argument == "true" ? 1 : 0;
        return argument == "true" || argument == "false";
    }
    value.kind = kind == "i2" ? Value::Kind::I2 : Value::Kind::I4;
    return (kind == "i2" || kind == "i4") && ParseNumber(argument, value.number);
}

bool ParseFailure(std::istringstream& in, Failure& failure) {
    std::string kind, code;
    in >> kind >> code;
    if (kind == "wcode") {
        failure.kind = Failure::Kind::WCode;
    } else if (kind == "scode") {
        failure.kind = Failure::Kind::SCode;
    } else if (kind == "hresult") {
        failure.kind = Failure::Kind::HResult;
    } else {
        return false;
    }
    failure.description = Rest(in);
    return ParseNumber(code, failure.code);
}

bool ParseMember(const std::string& head, std::istringstream& in, Config& config, long& nextId) {
    const size_t dot = head.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == head.size()) {
        return false;
    }
    Member member;
    member.name = head.substr(dot + 1);
    member.id = nextId++;
    bool namedId = false;
    std::string word;
    while (in >> word) {
        long number = 0;
        if (word == "id" || word == "call") {
            std::string text;
            in >> text;
            if (!ParseNumber(text, number)) {
                return false;
            }
            if (word == "id") {
                member.id = number;
                namedId = true;
            } else {
                member.failure.emplace().onlyCall = static_cast<int>(number);
            }
        } else if (word == "=") {
            if (!ParseValue(in, member.value)) {
                return false;
            }
            break;
        } else if (word == "fails") {
            Failure& failure = member.failure ? *member.failure : member.failure.emplace();
            if (!ParseFailure(in, failure)) {
                return false;
            }
            break;
        } else {
            return false;
        }
    }
    if (member.failure && member.failure->onlyCall != 0 && member.failure->code == 0) {
        return false;  // "call N" without "fails"
    }
    // A later line for the same member replaces the earlier one, keeping its id unless
    // it names one: a test adds a failure to a shared configuration by appending a line.
    auto& members = config.objects[UpperAscii(head.substr(0, dot))];
    for (auto& existing : members) {
        if (UpperAscii(existing.name) == UpperAscii(member.name)) {
            if (!namedId) {
                member.id = existing.id;
            }
            existing = std::move(member);
            return true;
        }
    }
    members.push_back(std::move(member));
    return true;
}

bool ParseLine(const std::string& line, Config& config, long& nextId) {
    std::istringstream in(line);
    std::string head;
    if (!(in >> head) || head[0] == '#') {
        return true;
    }
    if (head == "log") {
        config.logPath = Rest(in);
        return !config.logPath.empty();
    }
    if (head == "create") {
        std::string what;
        in >> what;
        if (what == "none") {
            config.creation = Config::Creation::NoObject;
            return true;
        }
        if (what == "fail") {
            std::string code;
            in >> code;
            config.creation = Config::Creation::Fail;
            return ParseNumber(code, config.createError);
        }
        config.creation = Config::Creation::Object;
        config.root = what;
        return !what.empty();
    }
    return ParseMember(head, in, config, nextId);
}

}  // namespace

std::string UpperAscii(std::string text) {
    for (auto& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

Config ParseConfig(const std::string& text, const std::string& defaultLogPath) {
    Config config;
    config.logPath = defaultLogPath;
    long nextId = 1000;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!ParseLine(line, config, nextId)) {
            config.problems.push_back(line);
        }
    }
    return config;
}

const Member* FindMember(const Config& config, const std::string& object, const std::string& name) {
    const auto found = config.objects.find(UpperAscii(object));
    if (found == config.objects.end()) {
        return nullptr;
    }
    const std::string upper = UpperAscii(name);
    for (const auto& member : found->second) {
        if (UpperAscii(member.name) == upper) {
            return &member;
        }
    }
    return nullptr;
}

const Member* FindMember(const Config& config, const std::string& object, long id) {
    const auto found = config.objects.find(UpperAscii(object));
    if (found == config.objects.end()) {
        return nullptr;
    }
    for (const auto& member : found->second) {
        if (member.id == id) {
            return &member;
        }
    }
    return nullptr;
}

}  // namespace com_double
