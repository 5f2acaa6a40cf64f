#pragma once

#include "service/ServiceEndpoints.h"
#include "text/GbkText.h"
#include "ui/Caption.h"
#include "ui/CheckBox.h"
#include "ui/Clipboard.h"
#include "ui/ListView.h"
#include "ui/NoticeBox.h"
#include "ui/ProcessStarter.h"
#include "ui/WorkRunner.h"

// What the four list actions work on: both lists, the player controls and the system.
struct ListActionContext {
    ListView& streamers;
    ListView& sources;
    Caption& playerPath;
    CheckBox& autoPlay;
    Clipboard& clipboard;
    NoticeBox& notices;
    ProcessStarter& processes;
    const ServiceEndpoints& endpoints;
    WorkRunner& runner = inPlaceRunner();  // for the resolution's request
};

// The entry of a source row: #EXTINF line with the title, CR LF, the address.
GbkText sourceEntry(const GbkText& title, const GbkText& address);
// The entry of a streamer row, as the playlist export writes it but without the final CR LF.
GbkText streamerEntry(const GbkText& title, const GbkText& room, const GbkText& address);

// Double-click on the streamer list: resolve the selected room into the one source row.
void openRoomSource(const ListActionContext& context);
// Right button on the streamer list: copy the selected row's entry and show it.
void copyRoomEntry(const ListActionContext& context);
// Double-click on the source list: copy the address; with auto-play and a player, start it
// with the address as its one last argument, when the address is a plain http(s) URL.
void playSource(const ListActionContext& context);
// Right button on the source list: copy row 0's entry and show it.
void copySourceEntry(const ListActionContext& context);
