#include "service/CategoryPage.h"

#include <climits>
#include <string>

#include "http/HttpRequest.h"
#include "text/Charset.h"
#include "text/TextPrimitives.h"
#include "ui/RowColumns.h"

namespace {

// The caption's leading number moved by `step`, without running past the ends of int.
int neighbourPage(const Caption& currentPage, int step) {
    const long long page = static_cast<long long>(textToInteger(currentPage.text())) + step;
    if (page > INT_MAX) return INT_MAX;
    if (page < INT_MIN) return INT_MIN;
    return static_cast<int>(page);
}

}  // namespace

GbkText categoryPageUrl(int page, const ServiceEndpoints& endpoints) {
    return "http://" + endpoints.pageHost +
           "/mobyy/module/other/pnk1/448764?page=" + std::to_string(page);
}

void loadCategoryPage(int page, const CategoryPageView& view, const ServiceEndpoints& endpoints) {
    if (page < 1) page = 1;
    view.currentPage.setText(std::to_string(page));
    view.pageTotal.setText("/" + std::to_string(kPageTotal));
    const ByteBuffer body = httpRequest(categoryPageUrl(page, endpoints), HttpMethod::Get);
    view.pageJson.parse(utf8ToGbk(body));
    const int rooms = view.pageJson.count("data.data");
    for (int i = 0; i < rooms; ++i) {
        const int row = view.streamerList.appendRow();
        const GbkText item = "data.data[" + std::to_string(i) + "].";
        const GbkText name = view.pageJson.getText(item + "name");
        const GbkText desc = view.pageJson.getText(item + "desc");
        const GbkText sid = view.pageJson.getText(item + "sid");
        const GbkText permanent = "http://" + endpoints.relayHost + "/dl/yy1.php?t=" + sid;
        view.streamerList.setCellText(row, StreamerColumn::kOrdinal, std::to_string(i + 1));
        view.streamerList.setCellText(row, StreamerColumn::kRoom, sid);
        view.streamerList.setCellText(row, StreamerColumn::kTitle, desc);
        view.streamerList.setCellText(row, StreamerColumn::kStreamer, name);
        view.streamerList.setCellText(row, StreamerColumn::kPermanent, permanent);
    }
}

void nextPage(const CategoryPageView& view, const ServiceEndpoints& endpoints) {
    view.streamerList.deleteAllRows();
    loadCategoryPage(neighbourPage(view.currentPage, +1), view, endpoints);
}

void previousPage(const CategoryPageView& view, const ServiceEndpoints& endpoints) {
    view.streamerList.deleteAllRows();
    loadCategoryPage(neighbourPage(view.currentPage, -1), view, endpoints);
}
