#include "objects/ScriptJson.h"
#include "objects/ScriptTemplates.h"

#include <charconv>
#include <cmath>

ScriptJson::ScriptJson() { createEngine(); }

ScriptJson ScriptJson::withoutEngine() { return ScriptJson(NoEngine{}); }

void ScriptJson::createEngine() {
    engine_ = ScriptEngine::create();
    if (!engine_) return;
    engine_->evalTruth("var " + variableName_ +
                       " = {}, str_Code = String.fromCharCode(9216), str_reg = new "
                       "RegExp(str_Code, 'g')");
    engine_->markPristine();
}

bool ScriptJson::parse(std::string_view json) {
    // Each parse starts in a fresh engine; one made and never used since counts as fresh,
    // so that an object made ahead of its first parse need not be made twice.
    if (engine_ && !engine_->pristine()) {
        engine_.reset();
        createEngine();
    }
    if (!engine_) return false;
    engine_->evalTruth("var " + variableName_ + " = null");
    GbkText code = "var " + variableName_ + " = eval(";
    code += json;
    code += ')';
    engine_->addCode(code);
    return engine_->evalTruth(variableName_ + " != null");
}

bool ScriptJson::reset() { return evalTruth(variableName_ + " = {}"); }

GbkText ScriptJson::toJson() const {
    return evalText("JSON.stringify(" + variableName_ + ")" + GbkText(kPlaceholdersBack));
}

bool ScriptJson::evalTruth(std::string_view script) const {
    return engine_ ? engine_->evalTruth(script) : false;
}

GbkText ScriptJson::evalText(std::string_view script) const {
    return engine_ ? engine_->evalText(script) : GbkText();
}

double ScriptJson::evalNumber(std::string_view script) const {
    return engine_ ? engine_->evalNumber(script) : 0;
}

ScriptJson ScriptJson::parsedCopyOf(const GbkText& json) const {
    ScriptJson copy;
    copy.parse(json);
    return copy;
}

GbkText scriptNumberText(double number) {
    if (std::isnan(number)) return "NaN";
    if (std::isinf(number)) return number > 0 ? "Infinity" : "-Infinity";
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number);
    if (error != std::errc()) return "0";
    return GbkText(buffer, end);
}
