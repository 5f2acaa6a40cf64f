#pragma once

#include <string_view>

#include "objects/ScriptJson.h"
#include "service/ServiceEndpoints.h"
#include "text/GbkText.h"
#include "ui/Caption.h"
#include "ui/ListView.h"

// What the category page client works on: the streamer list, the two page labels and the
// one global script object that each answer is parsed into.
struct CategoryPageView {
    ListView& streamerList;
    Caption& currentPage;
    Caption& pageTotal;
    ScriptJson& pageJson;
};

inline constexpr int kPageTotal = 16;

// The category interface address of a page.
GbkText categoryPageUrl(int page, const ServiceEndpoints& endpoints);

// Shows the page number (below 1 taken as 1) and "/16", fetches the page and appends one row
// per room: ordinal, room number, title, streamer name, permanent relay address. Never
// empties the list itself.
void loadCategoryPage(int page, const CategoryPageView& view, const ServiceEndpoints& endpoints);

// The page links: empty the list, then load the neighbouring page of the shown one.
void nextPage(const CategoryPageView& view, const ServiceEndpoints& endpoints);
void previousPage(const CategoryPageView& view, const ServiceEndpoints& endpoints);
