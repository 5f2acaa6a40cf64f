#include "objects/ScriptEngine.h"

#include <QJSEngine>
#include <QJSValue>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <optional>
#include <variant>

#include "objects/EvaluationWatchdog.h"
#include "objects/MemberPath.h"
#include "objects/ScriptBudget.h"
#include "objects/ScriptPrelude.h"
#include "objects/ScriptTemplates.h"
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

    // Runs work that executes script under the watchdog: the per-evaluation time limit and
    // the budget of the task in progress, if any. Nothing when the work was interrupted or
    // the budget was already spent.
    template <typename Work>
    auto watched(Work work) -> std::optional<decltype(work())> {
        ScriptBudget* budget = ScriptBudget::current();
        const auto now = EvaluationWatchdog::Clock::now();
        if (budget != nullptr && now >= budget->deadline()) budget->markSpent();
        if (budget != nullptr && budget->spent()) return std::nullopt;
        auto deadline = now + std::chrono::milliseconds(timeLimitMs.load());
        if (budget != nullptr) deadline = std::min(deadline, budget->deadline());
        EvaluationWatchdog::instance().started(this, deadline, budget);
        auto result = work();
        EvaluationWatchdog::instance().finished(this);
        if (!engine.isInterrupted()) return result;
        engine.setInterrupted(false);
        // The watchdog marks a budget that ran out of memory; one out of time is marked here.
        if (budget != nullptr && EvaluationWatchdog::Clock::now() >= budget->deadline()) {
            budget->markSpent();
        }
        return std::nullopt;
    }

    // The value, or nothing when the script failed, threw or was interrupted.
    std::optional<QJSValue> evaluate(const QString& script) {
        noteLexicalDeclarations(script);
        // A thrown value need not be an Error object: only the trace tells a throw apart.
        QStringList thrownTrace;
        const std::optional<QJSValue> result =
            watched([&] { return engine.evaluate(script, QString(), 1, &thrownTrace); });
        if (!result || !thrownTrace.isEmpty() || result->isError()) return std::nullopt;
        return result;
    }

    // A value's text; an object's comes from its own toString, which is script as well.
    std::optional<QString> textOf(const QJSValue& value) {
        if (!value.isObject()) return value.toString();
        return watched([&] { return value.toString(); });
    }

    // The answers of two templates for a plain member path, read through the engine's
    // objects instead of compiling a script each time; the same as the script's answer, or
    // nothing when that cannot be sure (then the script runs).
    std::optional<QJSValue> readMember(std::string_view path, bool asPlainText);
    std::optional<bool> fastNotNull(std::string_view expression);
    std::optional<QJSValue> fastPlainText(std::string_view expression);
    QJSValue memberReader;  // compiled once per engine, see kMemberReader
    void noteLexicalDeclarations(const QString& script);
    bool mayHaveLexicalGlobals = false;

    QJSEngine engine;
    // Holding one heap value keeps the engine's first page of persistent handles in use;
    // otherwise every evaluation that returns a text or an object maps and unmaps a page,
    // which costs three times the evaluation itself.
    QJSValue keepHandlePageMapped = engine.newObject();
    QJSValue global = engine.globalObject();
    // The keys of the last path read: a read and the path check before it share them.
    std::string keysPath;
    QJSValue keys;
};

namespace {

constexpr std::string_view kNotNullSuffix = " != null";
const std::string kPlainTextSuffix = ".toString()" + std::string(kPlaceholdersBack);

// Reads root.key1.key2... as the script itself would, the global object held from the
// start so that no script can swap it: [false] where the script would throw, else
// [true, value], or with `plain` the value's text as the getText template makes it.
constexpr const char* kMemberReader = R"JS((function (global) {
    return function (root, keys, plain) {
        if (!(root in global)) { return [false]; }
        try {
            var v = global[root];
            for (var i = 0; i < keys.length; i++) { v = v[keys[i]]; }
            return plain ? [true, v.toString().replace(str_reg, '\\')] : [true, v];
        } catch (e) {
            return [false];
        }
    };
})(this))JS";

bool isIdentifierPart(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'\\';
}

bool containsWord(const QString& script, QStringView word) {
    for (qsizetype at = script.indexOf(word); at >= 0; at = script.indexOf(word, at + 1)) {
        const bool startsWord = at == 0 || !isIdentifierPart(script[at - 1]);
        const qsizetype after = at + word.size();
        const bool endsWord = after >= script.size() || !isIdentifierPart(script[after]);
        if (startsWord && endsWord) return true;
    }
    return false;
}

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void ScriptEngine::Impl::noteLexicalDeclarations(const QString& script) {
    // A global binding that no object shows can only come from top-level code that spells
    // one of these words; eval'd code gets scopes of its own. Words inside strings make this
    // err on the safe side.
    if (mayHaveLexicalGlobals) return;
    mayHaveLexicalGlobals = containsWord(script, u"let") || containsWord(script, u"const") ||
                            containsWord(script, u"class");
}

std::optional<QJSValue> ScriptEngine::Impl::readMember(std::string_view path, bool asPlainText) {
    if (mayHaveLexicalGlobals || memberReader.isUndefined()) return std::nullopt;
    const std::optional<MemberPath> parsed = MemberPath::parse(path);
    if (!parsed) return std::nullopt;
    const QString root = latin1(parsed->root);
    // An unknown root makes the script throw a ReferenceError: a failed read, with no call.
    if (!global.hasProperty(root)) return QJSValue(QJSValue::UndefinedValue);
    if (keysPath != path || keys.isUndefined()) {
        keys = engine.newArray(static_cast<uint>(parsed->steps.size()));
        for (std::size_t i = 0; i < parsed->steps.size(); ++i) {
            const auto& step = parsed->steps[i];
            if (const auto* name = std::get_if<std::string>(&step)) {
                keys.setProperty(static_cast<quint32>(i), latin1(*name));
            } else {
                keys.setProperty(static_cast<quint32>(i),
                                 static_cast<double>(std::get<std::uint32_t>(step)));
            }
        }
        keysPath = std::string(path);
    }
    const std::optional<QJSValue> answer = watched([&] {
        return memberReader.call({root, keys, QJSValue(asPlainText)});
    });
    if (!answer || answer->isError() || !answer->property(0).toBool()) {
        return QJSValue(QJSValue::UndefinedValue);  // the script would have failed
    }
    return answer->property(1);
}

std::optional<bool> ScriptEngine::Impl::fastNotNull(std::string_view expression) {
    if (!expression.ends_with(kNotNullSuffix)) return std::nullopt;
    const std::optional<QJSValue> value =
        readMember(expression.substr(0, expression.size() - kNotNullSuffix.size()), false);
    if (!value) return std::nullopt;
    return !(value->isNull() || value->isUndefined());
}

std::optional<QJSValue> ScriptEngine::Impl::fastPlainText(std::string_view expression) {
    if (!expression.ends_with(kPlainTextSuffix)) return std::nullopt;
    return readMember(expression.substr(0, expression.size() - kPlainTextSuffix.size()), true);
}

std::shared_ptr<ScriptEngine> ScriptEngine::create() {
    auto impl = std::make_unique<Impl>();
    impl->evaluate(
        QString::fromUtf8(scriptPrelude().data(), static_cast<qsizetype>(scriptPrelude().size())));
    if (std::optional<QJSValue> reader = impl->evaluate(QString::fromLatin1(kMemberReader))) {
        impl->memberReader = *reader;
    }
    return std::shared_ptr<ScriptEngine>(new ScriptEngine(std::move(impl)));
}

ScriptEngine::ScriptEngine(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

ScriptEngine::~ScriptEngine() = default;

void ScriptEngine::addCode(std::string_view code) {
    pristine_ = false;
    impl_->evaluate(toScript(code));
}

bool ScriptEngine::evalTruth(std::string_view expression) {
    pristine_ = false;
    if (const std::optional<bool> fast = impl_->fastNotNull(expression)) return *fast;
    const std::optional<QJSValue> value = impl_->evaluate(toScript(expression));
    return value && value->toBool();
}

GbkText ScriptEngine::evalText(std::string_view expression) {
    pristine_ = false;
    std::optional<QJSValue> value = impl_->fastPlainText(expression);
    if (!value) value = impl_->evaluate(toScript(expression));
    if (!value || value->isUndefined() || value->isNull()) return {};
    const std::optional<QString> text = impl_->textOf(*value);
    return text ? fromScript(*text) : GbkText();
}

double ScriptEngine::evalNumber(std::string_view expression) {
    pristine_ = false;
    const std::optional<QJSValue> value = impl_->evaluate(toScript(expression));
    if (!value) return 0;
    if (value->isNumber()) return value->toNumber();
    if (value->isBool()) return value->toBool() ? -1 : 0;
    if (value->isString()) return numberFromText(value->toString());
    return 0;
}

void ScriptEngine::setEvaluationTimeLimitMs(int ms) { timeLimitMs = ms; }

int ScriptEngine::evaluationTimeLimitMs() { return timeLimitMs; }
