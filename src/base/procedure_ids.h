#pragma once

namespace pv::procedure_id {

// The identifiers that error reports quote, stored complete with their trailing blank.
inline constexpr const char* kFormLoad = "in Pagevane2/11/2015.Form1.Form_Load ";
inline constexpr const char* kAddFiles = "in Pagevane2/11/201512/4/2014.Form1.PushButton1_Click ";
inline constexpr const char* kStartPrinting = "in Pagevane2/11/201512/4/2014.Form1.PushButton2_Click ";
inline constexpr const char* kAddFolder = "in Pagevane2/11/201512/4/2014.Form1.PushButton3_Click ";
inline constexpr const char* kClearList = "in Pagevane2/11/201512/4/2014.Form1.PushButton4_Click ";
inline constexpr const char* kSampleFiles = "in Pagevane2/11/201512/4/2014.Form1.PushButton5_Click ";
inline constexpr const char* kHelp = "in Pagevane2/11/201512/4/2014.Form1.PushButton6_Click ";
inline constexpr const char* kDoItByFile = "in Pagevane2/11/2015.Pagevane.DoItByFile ";

}  // namespace pv::procedure_id
