#pragma once

#include <chrono>
#include <string_view>
#include <vector>

#include "objects/ScriptJson.h"
#include "service/ServiceEndpoints.h"
#include "text/GbkText.h"
#include "ui/Caption.h"
#include "ui/ListView.h"
#include "ui/WorkRunner.h"

// One room of a category page, as its row in the streamer list shows it.
struct StreamerRow {
    GbkText ordinal;
    GbkText room;
    GbkText title;
    GbkText streamer;
    GbkText permanent;  // the relay address that names the room
};

// What the category page client works on: the streamer list, the two page labels and the
// one global script object that each answer is parsed into.
struct CategoryPageView {
    ListView& streamerList;
    Caption& currentPage;
    Caption& pageTotal;
    ScriptJson& pageJson;
};

inline constexpr int kPageTotal = 16;

// Bounds on one page's script work, so that a hostile answer ends with the rows read so far.
struct PageLimits {
    std::chrono::milliseconds scriptTime{10000};
    long long memoryGrowthBytes = 512LL << 20;
    int maxRows = 10000;  // a real page holds tens
};
PageLimits pageLimits();
void setPageLimits(const PageLimits& limits);

// The category interface address of a page.
GbkText categoryPageUrl(int page, const ServiceEndpoints& endpoints);
// The permanent address of a room on the relay.
GbkText permanentAddress(const GbkText& room, const ServiceEndpoints& endpoints);

// The page number a load shows: below 1 taken as 1.
int pageToShow(int page);
// Shows the page number and "/16" in the two labels.
void showPageCaptions(int page, Caption& currentPage, Caption& pageTotal);

// Fetches the page, parses it into `pageJson` and reads its rows, within the page limits;
// touches no widget, so it may run on any one thread that owns `pageJson`.
std::vector<StreamerRow> fetchCategoryPage(int page, ScriptJson& pageJson,
                                           const ServiceEndpoints& endpoints);

// Appends each row after the list's last one, its cells in column order.
void appendStreamerRows(ListView& list, const std::vector<StreamerRow>& rows);

// Shows the page number (below 1 taken as 1) and "/16", fetches the page and appends one row
// per room: ordinal, room number, title, streamer name, permanent relay address. Never
// empties the list itself.
// The fetch runs through `runner`, on the thread that owns the view's `pageJson`.
void loadCategoryPage(int page, const CategoryPageView& view, const ServiceEndpoints& endpoints,
                      WorkRunner& runner = inPlaceRunner());

// The page a page link loads: the caption's leading number moved by `step`.
int neighbourPage(const Caption& currentPage, int step);

// The page links: empty the list, then load the neighbouring page of the shown one.
void nextPage(const CategoryPageView& view, const ServiceEndpoints& endpoints,
              WorkRunner& runner = inPlaceRunner());
void previousPage(const CategoryPageView& view, const ServiceEndpoints& endpoints,
                  WorkRunner& runner = inPlaceRunner());
