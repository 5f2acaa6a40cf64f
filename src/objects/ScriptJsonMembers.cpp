// The member operations of ScriptJson: each roots its path, then evaluates one script text.
#include <string>

#include "objects/ScriptJson.h"
#include "objects/ScriptTemplates.h"
#include "text/TextPrimitives.h"

namespace {

GbkText indexText(int index) { return std::to_string(index); }

// A value between apostrophes, or script text as it stands.
GbkText scriptValue(std::string_view value, bool asJson) {
    if (asJson) return GbkText(value);
    return "'" + GbkText(value) + "'";
}

// Plain text as the content of a script string between apostrophes.
GbkText escapeForScriptString(std::string_view text) {
    GbkText out = replaceText(text, "\\", "\\\\");
    out = replaceText(out, "'", "\\'");
    out = replaceText(out, "\"", "\\\"");
    out = replaceText(out, "\r", "\\r");
    return replaceText(out, "\n", "\\n");
}

}  // namespace

bool ScriptJson::resolvePath(GbkText& path) const {
    if (startsWithText(path, variableName_) && evalTruth(path + " != null")) return true;
    if (path.empty()) {
        path = variableName_;
    } else if (path[0] == '[') {
        path = variableName_ + path;
    } else {
        path = variableName_ + "." + path;
    }
    return evalTruth(path + " != null");
}

GbkText ScriptJson::resolved(std::string_view path) const {
    GbkText p(path);
    resolvePath(p);
    return p;
}

bool ScriptJson::setValue(std::string_view path, std::string_view value, bool asJson) {
    GbkText p(path);
    const bool named = resolvePath(p);
    if (asJson) {
        if (named) {
            const GbkText merged = value.empty() ? GbkText("{}") : GbkText(value);
            return evalTruth(p + " = get__extend(" + p + ", " + merged + ")");
        }
        return evalTruth(p + " = eval(" + GbkText(value) + ")");
    }
    return evalTruth(p + " = '" + escapeForScriptString(value) + "'.replace(/\\\\/g, str_Code)");
}

bool ScriptJson::setExpression(std::string_view path, std::string_view expression) {
    return evalTruth(resolved(path) + " = eval(" + GbkText(expression) + ")");
}

int ScriptJson::typeOf(std::string_view path) const {
    const GbkText p = resolved(path);
    if (evalTruth(p + " == null")) return 0;
    const GbkText kind = evalText("Object.prototype.toString.call(" + p + ")");
    if (kind == "[object Boolean]") return 1;
    if (kind == "[object Number]") return 2;
    if (kind == "[object Object]") return 4;
    if (kind == "[object Array]") return 5;
    if (kind == "[object String]") return 6;
    return -1;
}

GbkText ScriptJson::getText(std::string_view path, bool asJson) const {
    if (asJson) return getJson(path);
    return evalText(resolved(path) + ".toString()" + GbkText(kPlaceholdersBack));
}

int ScriptJson::memberNames(std::vector<GbkText>& names, std::string_view path) const {
    names = splitText(evalText("get__name_All(" + resolved(path) + ")"), "\r\n");
    return static_cast<int>(names.size());
}

int ScriptJson::count(std::string_view path) const {
    const double length = evalNumber("get__count(" + resolved(path) + ")");
    if (!(length > 0)) return 0;
    return length >= 2147483647.0 ? 2147483647 : static_cast<int>(length);
}

ScriptJson ScriptJson::getObject(std::string_view path) const {
    return parsedCopyOf(getJson(path));
}

bool ScriptJson::push(std::string_view value, std::string_view path, bool asJson) {
    const GbkText p = resolved(path);
    return evalTruth("if (Object.prototype.toString.call(" + p + ") != '[object Array]') { " + p +
                     " = new Array() } " + p + ".push(" + scriptValue(value, asJson) + ")");
}

ScriptJson ScriptJson::getItemObject(int index, std::string_view path) const {
    return parsedCopyOf(getItemText(index, path, true));
}

GbkText ScriptJson::getItemText(int index, std::string_view path, bool asJson) const {
    const GbkText item = resolved(path) + "[" + indexText(index) + "]";
    if (asJson) return evalText("JSON.stringify(" + item + ")" + GbkText(kPlaceholdersBack));
    return evalText(item + GbkText(kPlaceholdersBack));
}

bool ScriptJson::setItem(int index, std::string_view path, std::string_view value, bool asJson) {
    return evalTruth(resolved(path) + "[" + indexText(index) + "] = " + scriptValue(value, asJson));
}

bool ScriptJson::removeItem(int index, std::string_view path) {
    return evalTruth(resolved(path) + ".splice(" + indexText(index) + ", 1)");
}

bool ScriptJson::removeMember(std::string_view path) {
    return evalTruth("delete " + resolved(path));
}

bool ScriptJson::setNumber(std::string_view path, double number) {
    return evalTruth(resolved(path) + " = " + scriptNumberText(number));
}

double ScriptJson::getNumber(std::string_view path) const { return evalNumber(resolved(path)); }

GbkText ScriptJson::getJson(std::string_view path) const {
    return evalText("JSON.stringify(" + resolved(path) + ")" + GbkText(kPlaceholdersBack));
}
