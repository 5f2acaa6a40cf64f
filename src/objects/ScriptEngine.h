#pragma once

#include <memory>
#include <string_view>

#include "text/GbkText.h"

// One script engine instance with the prelude loaded. Texts cross as UTF-16; a failed
// evaluation of any kind gives false, the empty text or 0. An evaluation that runs past the
// time limit is interrupted and counts as failed. Use an engine on one thread only.
class ScriptEngine {
  public:
    // A fresh engine with the prelude run, or null when none can be made.
    static std::shared_ptr<ScriptEngine> create();
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    void addCode(std::string_view code);

    // True while nothing has run in the engine since markPristine(): a parse may then take
    // it as the fresh engine it would otherwise make.
    bool pristine() const { return pristine_; }
    void markPristine() { pristine_ = true; }
    // The value's truth in the script's own sense: a boolean itself, a number when not 0 or
    // NaN, a text when not empty, any object; false for null, undefined and failures.
    bool evalTruth(std::string_view expression);
    GbkText evalText(std::string_view expression);
    double evalNumber(std::string_view expression);

    // How long one evaluation may run before it is interrupted (5000 ms unless changed).
    static void setEvaluationTimeLimitMs(int ms);
    static int evaluationTimeLimitMs();

    class Impl;

  private:
    explicit ScriptEngine(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
    bool pristine_ = false;
};

using ScriptEngineRef = std::shared_ptr<ScriptEngine>;
