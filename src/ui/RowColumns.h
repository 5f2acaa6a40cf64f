#pragma once

// The columns of the two lists' rows, counted from 0.

// A row of 主播列表.
namespace StreamerColumn {
inline constexpr int kOrdinal = 0;    // 序号
inline constexpr int kRoom = 1;       // 房间号
inline constexpr int kTitle = 2;      // 直播标题
inline constexpr int kStreamer = 3;   // 主播名
inline constexpr int kPermanent = 4;  // 永久直播源地址
}  // namespace StreamerColumn

// A row of 源地址.
namespace SourceColumn {
inline constexpr int kTitle = 0;    // 直播标题
inline constexpr int kAddress = 1;  // 地址
}  // namespace SourceColumn
