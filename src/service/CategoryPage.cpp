#include "service/CategoryPage.h"

#include <malloc.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <string>

#include "http/HttpRequest.h"
#include "objects/ScriptBudget.h"
#include "text/Charset.h"
#include "text/TextPrimitives.h"
#include "ui/RowColumns.h"

namespace {

std::mutex limitsMutex;
PageLimits currentLimits;

}  // namespace

PageLimits pageLimits() {
    std::lock_guard lock(limitsMutex);
    return currentLimits;
}

void setPageLimits(const PageLimits& limits) {
    std::lock_guard lock(limitsMutex);
    currentLimits = limits;
}

int neighbourPage(const Caption& currentPage, int step) {
    const long long page = static_cast<long long>(textToInteger(currentPage.text())) + step;
    if (page > INT_MAX) return INT_MAX;
    if (page < INT_MIN) return INT_MIN;
    return static_cast<int>(page);
}

GbkText categoryPageUrl(int page, const ServiceEndpoints& endpoints) {
    return "http://" + endpoints.pageHost +
           "/mobyy/module/other/pnk1/448764?page=" + std::to_string(page);
}

GbkText permanentAddress(const GbkText& room, const ServiceEndpoints& endpoints) {
    return "http://" + endpoints.relayHost + "/dl/yy1.php?t=" + room;
}

int pageToShow(int page) { return page < 1 ? 1 : page; }

void showPageCaptions(int page, Caption& currentPage, Caption& pageTotal) {
    currentPage.setText(std::to_string(pageToShow(page)));
    pageTotal.setText("/" + std::to_string(kPageTotal));
}

std::vector<StreamerRow> fetchCategoryPage(int page, ScriptJson& pageJson,
                                           const ServiceEndpoints& endpoints) {
    const ByteBuffer body =
        httpRequest(categoryPageUrl(pageToShow(page), endpoints), HttpMethod::Get);
    const PageLimits limits = pageLimits();
    std::vector<StreamerRow> rows;
    bool spent = false;
    {
        const ScriptBudget budget(limits.scriptTime, limits.memoryGrowthBytes);
        pageJson.parse(utf8ToGbk(body));
        const int rooms = std::min(pageJson.count("data.data"), limits.maxRows);
        for (int i = 0; i < rooms && !budget.spent(); ++i) {
            const GbkText item = "data.data[" + std::to_string(i) + "].";
            StreamerRow row;
            row.streamer = pageJson.getText(item + "name");
            row.title = pageJson.getText(item + "desc");
            row.room = pageJson.getText(item + "sid");
            // A read cut short by the budget would give a wrong, partly empty row.
            if (budget.spent()) break;
            row.ordinal = std::to_string(i + 1);
            row.permanent = permanentAddress(row.room, endpoints);
            rows.push_back(std::move(row));
        }
        spent = budget.spent();
    }
    if (spent) {
        // What the hostile answer built goes with its engine, and back to the system.
        pageJson.createEngine();
        ::malloc_trim(0);
    }
    return rows;
}

void appendStreamerRows(ListView& list, const std::vector<StreamerRow>& rows) {
    for (const StreamerRow& row : rows) {
        const int at = list.appendRow();
        list.setCellText(at, StreamerColumn::kOrdinal, row.ordinal);
        list.setCellText(at, StreamerColumn::kRoom, row.room);
        list.setCellText(at, StreamerColumn::kTitle, row.title);
        list.setCellText(at, StreamerColumn::kStreamer, row.streamer);
        list.setCellText(at, StreamerColumn::kPermanent, row.permanent);
    }
}

void loadCategoryPage(int page, const CategoryPageView& view, const ServiceEndpoints& endpoints,
                      WorkRunner& runner) {
    showPageCaptions(page, view.currentPage, view.pageTotal);
    std::vector<StreamerRow> rows;
    runner.run([&] { rows = fetchCategoryPage(pageToShow(page), view.pageJson, endpoints); });
    appendStreamerRows(view.streamerList, rows);
}

void nextPage(const CategoryPageView& view, const ServiceEndpoints& endpoints, WorkRunner& runner) {
    view.streamerList.deleteAllRows();
    loadCategoryPage(neighbourPage(view.currentPage, +1), view, endpoints, runner);
}

void previousPage(const CategoryPageView& view, const ServiceEndpoints& endpoints,
                  WorkRunner& runner) {
    view.streamerList.deleteAllRows();
    loadCategoryPage(neighbourPage(view.currentPage, -1), view, endpoints, runner);
}
