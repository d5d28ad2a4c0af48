#pragma once
// Control ids of VER_SRES.
namespace qz::gui::ver_sres {

enum Id { kGrid = 100, kAdd = 201, kModify = 202, kCancel = 203, kInvoice = 204, kResend = 205 };
inline constexpr int kRefreshMs = 30000;

}  // namespace qz::gui::ver_sres
