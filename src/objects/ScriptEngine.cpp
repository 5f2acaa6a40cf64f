#include "objects/ScriptEngine.h"

#include <QJSEngine>
#include <QJSValue>
#include <QString>

#include <atomic>
#include <cmath>
#include <optional>

#include "objects/EvaluationWatchdog.h"
#include "objects/ScriptPrelude.h"
#include "text/Charset.h"
#include "text/TextPrimitives.h"

namespace {

std::atomic<int> timeLimitMs{5000};

QString toScript(std::string_view gbk) { return QString::fromStdU16String(gbkToUtf16(gbk)); }

GbkText fromScript(const QString& text) { return utf16ToGbk(text.toStdU16String()); }

// The automation conversion of a text to a number: a decimal reading, else 0.
double numberFromText(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

}  // namespace

class ScriptEngine::Impl {
public:
    Impl() {
        EvaluationWatchdog::instance().watch(this, [this] { engine.setInterrupted(true); });
    }
    ~Impl() { EvaluationWatchdog::instance().unwatch(this); }

    // The value, or nothing when the script failed, threw or was interrupted.
    std::optional<QJSValue> evaluate(const QString& script) {
        const auto limit = std::chrono::milliseconds(timeLimitMs.load());
        EvaluationWatchdog::instance().started(this, EvaluationWatchdog::Clock::now() + limit);
        QJSValue result = engine.evaluate(script);
        EvaluationWatchdog::instance().finished(this);
        if (engine.isInterrupted()) {
            engine.setInterrupted(false);
            return std::nullopt;
        }
        if (result.isError()) return std::nullopt;
        return result;
    }

    QJSEngine engine;
    // Holding one heap value keeps the engine's first page of persistent handles in use;
    // otherwise every evaluation that returns a text or an object maps and unmaps a page,
    // which costs three times the evaluation itself.
    QJSValue keepHandlePageMapped = engine.newObject();
};

std::shared_ptr<ScriptEngine> ScriptEngine::create() {
    auto impl = std::make_unique<Impl>();
    impl->evaluate(QString::fromUtf8(scriptPrelude().data(),
                                     static_cast<qsizetype>(scriptPrelude().size())));
    return std::shared_ptr<ScriptEngine>(new ScriptEngine(std::move(impl)));
}

ScriptEngine::ScriptEngine(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

ScriptEngine::~ScriptEngine() = default;

void ScriptEngine::addCode(std::string_view code) { impl_->evaluate(toScript(code)); }

bool ScriptEngine::evalTruth(std::string_view expression) {
    const std::optional<QJSValue> value = impl_->evaluate(toScript(expression));
    return value && value->toBool();
}

GbkText ScriptEngine::evalText(std::string_view expression) {
    const std::optional<QJSValue> value = impl_->evaluate(toScript(expression));
    if (!value || value->isUndefined() || value->isNull()) return {};
    return fromScript(value->toString());
}

double ScriptEngine::evalNumber(std::string_view expression) {
    const std::optional<QJSValue> value = impl_->evaluate(toScript(expression));
    if (!value) return 0;
    if (value->isNumber()) return value->toNumber();
    if (value->isBool()) return value->toBool() ? -1 : 0;
    if (value->isString()) return numberFromText(value->toString());
    return 0;
}

void ScriptEngine::setEvaluationTimeLimitMs(int ms) { timeLimitMs = ms; }

int ScriptEngine::evaluationTimeLimitMs() { return timeLimitMs; }
