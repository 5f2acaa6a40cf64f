#include "support/Gbk.h"

#include "text/Charset.h"

GbkText G(std::string_view utf8) { return utf8ToGbk(utf8); }
