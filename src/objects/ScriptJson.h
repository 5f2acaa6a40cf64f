#pragma once

#include <string_view>
#include <vector>

#include "objects/ScriptEngine.h"
#include "text/GbkText.h"

// A JSON value held in a script engine, in the global script variable `variableName`
// ("da"). Copies share the engine, so changes through one are seen through all; `parse`
// starts a fresh engine each time. Nothing throws: failures give false, "" or 0.
class ScriptJson {
  public:
    ScriptJson();
    // An object whose engine could not be made, as when the platform has none.
    static ScriptJson withoutEngine();

    void createEngine();
    // True when the text evaluated to a value that is neither null nor undefined.
    bool parse(std::string_view json);
    bool reset();
    GbkText toJson() const;

    // Member operations; a path such as "data.data[0].name" is rooted at the variable.
    bool setValue(std::string_view path, std::string_view value, bool asJson = false);
    bool setExpression(std::string_view path, std::string_view expression);
    // Roots `path` at the variable unless it already names a value that way.
    bool resolvePath(GbkText& path) const;
    // 0 none, 1 boolean, 2 number, 4 object, 5 array, 6 string, -1 other or failure.
    int typeOf(std::string_view path) const;
    GbkText getText(std::string_view path, bool asJson = false) const;
    int memberNames(std::vector<GbkText>& names, std::string_view path) const;
    int count(std::string_view path) const;
    ScriptJson getObject(std::string_view path) const;
    bool push(std::string_view value, std::string_view path, bool asJson = false);
    ScriptJson getItemObject(int index, std::string_view path) const;
    GbkText getItemText(int index, std::string_view path, bool asJson = false) const;
    bool setItem(int index, std::string_view path, std::string_view value, bool asJson = false);
    bool removeItem(int index, std::string_view path);
    bool removeMember(std::string_view path);
    bool setNumber(std::string_view path, double number);
    double getNumber(std::string_view path) const;
    GbkText getJson(std::string_view path) const;

    ScriptEngineRef getEngine() const { return engine_; }
    const GbkText& variableName() const { return variableName_; }

  private:
    struct NoEngine {};
    explicit ScriptJson(NoEngine) {}

    GbkText resolved(std::string_view path) const;
    bool evalTruth(std::string_view script) const;
    GbkText evalText(std::string_view script) const;
    double evalNumber(std::string_view script) const;
    ScriptJson parsedCopyOf(const GbkText& json) const;

    GbkText variableName_ = "da";
    ScriptEngineRef engine_;
};

// The script's text of a number, which the script reads back as the same number.
GbkText scriptNumberText(double number);
