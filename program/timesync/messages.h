// The user messages of network time. Lines are separated by CR LF.
#pragma once

#include <string_view>

#include "base/text.h"
#include "platform/clock.h"

namespace tbq::timesync {

inline constexpr char16_t kMsgSocketFailed[] = u"Socket作成に失敗しました。";
inline constexpr char16_t kMsgNoAddress[] =
    u"接続できません。\r\nアドレスが正しくないか、インターネットに接続されていません。";
inline constexpr char16_t kMsgSendFailed[] = u"サーバへの送信に失敗しました。";
inline constexpr char16_t kMsgReceiveFailed[] = u"サーバからの受信に失敗しました。";
inline constexpr char16_t kMsgConnectFailed[] = u"接続に失敗しました。";
inline constexpr char16_t kMsgSetFailed[] =
    u"同期に失敗しました。\r\n受信した時刻形式が不正である可能性があります。";
inline constexpr char16_t kMsgNoDate[] =
    u"同期に失敗しました。\r\nサーバーからの受信データに日時情報が含まれていませんでした。";
inline constexpr char16_t kMsgDenied[] =
    u"同期に失敗しました。\r\n時刻を変更する権限がありません。\r\n"
    u"管理者として実行するか、[システム設定]から時刻を合わせて下さい。";
inline constexpr char16_t kMsgBadReply[] =
    u"同期に失敗しました。\r\nサーバーから正しくない応答を受信しました。";
inline constexpr char16_t kMsgServerRefused[] =
    u"同期に失敗しました。\r\nサーバーの時刻が同期していないか、サーバーが応答を拒否しました。";
inline constexpr char16_t kMsgBadServerText[] =
    u"サーバー名に使用できない文字(空白や制御文字など)が含まれています。";
inline constexpr char16_t kMsgBadProxy[] =
    u"プロキシサーバーの指定が正しくありません。\r\n"
    u"「ホスト名:ポート番号」(ポート番号は1～65535)の形で指定して下さい。";
inline constexpr char16_t kMsgBadPort[] = u"ポート番号は1～65535の範囲で指定して下さい。";
// Neither NTP nor HTTP is ticked.
inline constexpr char16_t kMsgNothingTicked[] =
    u"同期に失敗しました。\r\n「NTP」か「HTTP」のどちらかを選択して下さい。";
// The window's warning when no server is given.
inline constexpr char16_t kMsgNoServer[] = u"タイムサーバーを指定してさい";

// "不正な時刻形式を受信しました。" with the text received in double quotes.
Text BadDateMessage(std::string_view received);
// The error status line a server or proxy answered with.
Text ServerErrorMessage(std::string_view statusLine);
// "同期に成功しました。" with the local date and time (seconds with
// milliseconds when `withMilliseconds`).
Text SuccessMessage(const platform::ClockTime& local, bool withMilliseconds);
// The NTP and HTTP results together when both have one.
Text CombinedMessage(const Text& ntp, const Text& http);

}  // namespace tbq::timesync
