#pragma once

#include "files/RunDirectory.h"
#include "text/GbkText.h"
#include "ui/ListView.h"
#include "ui/MessageBoxes.h"

// "#EXTINF:-1 group-title=\"YY影视轮播\",", the start of every playlist entry.
const GbkText& playlistPrefix();

// One playlist entry: #EXTINF line with title and 【room】, then the permanent address.
GbkText playlistEntry(const GbkText& title, const GbkText& room, const GbkText& address);

// The two files' contents from the streamer list, every row in order.
GbkText playlistText(const ListView& streamers);
GbkText idTitleText(const ListView& streamers);

// The export buttons: write the file named by the stem and `stamp` (the date-time text) in the
// run directory, then say "导出完成", or "导出失败!请重试" when it could not be written.
void exportSources(const ListView& streamers, MessageBoxes& messages, const RunDirectory& run,
                   const GbkText& stamp);
void exportIdTitles(const ListView& streamers, MessageBoxes& messages, const RunDirectory& run,
                    const GbkText& stamp);
