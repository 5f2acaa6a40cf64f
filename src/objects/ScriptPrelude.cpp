#include "objects/ScriptPrelude.h"

#include <string>

namespace {

// Kept exactly as the member operations expect them; '\r\n' is a script escape here.
constexpr std::string_view kHelpers =
    R"(function get__count(c){var obj=Object.prototype.toString.call(c);if(obj=='[object Array]'){return c.length}else{return 0}})"
    R"(function get__name_All(a){var obj=Object.prototype.toString.call(a);if(obj=='[object Object]'){var ary=new Array();for(var key in a){if(typeof a[key]!=='function'){ary.push(key)}}return ary.join('\r\n')}else{return''}})"
    R"(function get__extend(target,source){if(Object.prototype.toString.call(target)=='[object Array]'){for(var i=0;i<source.length;i++){target.push(source[i])}return target}else{var str_obj;for(var obj in source){str_obj=typeof target[obj];if(str_obj=='string'||str_obj=='boolean'||str_obj=='undefined'){target[obj]=source[obj]}else if(str_obj=='number'){target=target.concat(source)}else if(str_obj=='object'){target[obj]=get__extend(target[obj],source[obj])}}return target}})";

// The engine's own JSON.stringify leaves several invisible and formatting characters raw, so
// the serialiser is replaced by one that escapes them. The engine has a JSON.parse and date
// serialisation of its own; the rest only fills what it lacks.
constexpr std::string_view kJson = R"JS(
if (typeof JSON !== 'object') { JSON = {}; }
(function () {
'use strict';
var rx_escapable = /[\\"\u0000-\u001f\u007f-\u009f\u00ad\u0600-\u0604\u070f\u17b4\u17b5\u200c-\u200f\u2028-\u202f\u2060-\u206f\ufeff\ufff0-\uffff]/g;
var meta = {'\b': '\\b', '\t': '\\t', '\n': '\\n', '\f': '\\f', '\r': '\\r', '"': '\\"', '\\': '\\\\'};
var gap, indent, rep;
function two(n) { return n < 10 ? '0' + n : n; }
if (typeof Date.prototype.toJSON !== 'function') {
    Date.prototype.toJSON = function () {
        return isFinite(this.valueOf())
            ? this.getUTCFullYear() + '-' + two(this.getUTCMonth() + 1) + '-' + two(this.getUTCDate()) +
              'T' + two(this.getUTCHours()) + ':' + two(this.getUTCMinutes()) + ':' + two(this.getUTCSeconds()) + 'Z'
            : null;
    };
    Boolean.prototype.toJSON = function () { return this.valueOf(); };
    Number.prototype.toJSON = function () { return this.valueOf(); };
    String.prototype.toJSON = function () { return this.valueOf(); };
}
function quote(string) {
    rx_escapable.lastIndex = 0;
    return rx_escapable.test(string)
        ? '"' + string.replace(rx_escapable, function (a) {
              var c = meta[a];
              return typeof c === 'string' ? c : '\\u' + ('0000' + a.charCodeAt(0).toString(16)).slice(-4);
          }) + '"'
        : '"' + string + '"';
}
function str(key, holder) {
    var i, k, v, length, mind = gap, partial, value = holder[key];
    if (value && typeof value === 'object' && typeof value.toJSON === 'function') { value = value.toJSON(key); }
    if (typeof rep === 'function') { value = rep.call(holder, key, value); }
    if (value instanceof String || value instanceof Number || value instanceof Boolean) { value = value.valueOf(); }
    switch (typeof value) {
    case 'string': return quote(value);
    case 'number': return isFinite(value) ? String(value) : 'null';
    case 'boolean': return String(value);
    case 'object':
        if (!value) { return 'null'; }
        gap += indent;
        partial = [];
        if (Object.prototype.toString.apply(value) === '[object Array]') {
            length = value.length;
            for (i = 0; i < length; i += 1) { partial[i] = str(i, value) || 'null'; }
            v = partial.length === 0 ? '[]'
                : gap ? '[\n' + gap + partial.join(',\n' + gap) + '\n' + mind + ']'
                : '[' + partial.join(',') + ']';
            gap = mind;
            return v;
        }
        if (rep && typeof rep === 'object') {
            length = rep.length;
            for (i = 0; i < length; i += 1) {
                if (typeof rep[i] === 'string') {
                    k = rep[i];
                    v = str(k, value);
                    if (v) { partial.push(quote(k) + (gap ? ': ' : ':') + v); }
                }
            }
        } else {
            for (k in value) {
                if (Object.prototype.hasOwnProperty.call(value, k)) {
                    v = str(k, value);
                    if (v) { partial.push(quote(k) + (gap ? ': ' : ':') + v); }
                }
            }
        }
        v = partial.length === 0 ? '{}'
            : gap ? '{\n' + gap + partial.join(',\n' + gap) + '\n' + mind + '}'
            : '{' + partial.join(',') + '}';
        gap = mind;
        return v;
    }
}
JSON.stringify = function (value, replacer, space) {
    var i;
    gap = '';
    indent = '';
    if (typeof space === 'number') {
        for (i = 0; i < space; i += 1) { indent += ' '; }
    } else if (typeof space === 'string') {
        indent = space;
    }
    rep = replacer;
    if (replacer && typeof replacer !== 'function' &&
        (typeof replacer !== 'object' || typeof replacer.length !== 'number')) {
        throw new Error('JSON.stringify');
    }
    return str('', {'': value});
};
}());
if (typeof Object.prototype.toJSONString !== 'function') {
    Object.prototype.toJSONString = function (filter) { return JSON.stringify(this, filter); };
    Object.prototype.parseJSON = function (filter) { return JSON.parse(this, filter); };
}
)JS";

}  // namespace

std::string_view scriptPrelude() {
    static const std::string prelude = std::string(kHelpers) + std::string(kJson);
    return prelude;
}
