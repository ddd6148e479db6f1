#pragma once

#include "storage/settingsstore.h"

// Every setting of the program with the default its readers assume. Where
// readers differ (the sheet font sizes), each names its own default.
namespace Tarvosk::Settings {

// Program options.
inline constexpr SettingKey StartupScreen{u"Startup", u"Startup", u"1"};
inline constexpr SettingKey Preview{u"Startup", u"Preview", u"1"};
inline constexpr SettingKey SaveFont{u"Startup", u"SaveFont", u"1"};
inline constexpr SettingKey AlwaysWord{u"Startup", u"AlwaysWord", u"0"};
inline constexpr SettingKey Currency{u"Startup", u"Currency", u"0"};
inline constexpr SettingKey Random{u"Startup", u"Random", u"0"};
inline constexpr SettingKey RandomText{u"Startup", u"RandomText", u""};
inline constexpr SettingKey CharacterProperty{u"Startup", u"CharacterProperty", u"0"};
inline constexpr SettingKey ConfirmValues{u"Startup", u"ConfirmValues", u"0"};
// Written as "StartUp" by the pattern menu; the same section as "Startup".
inline constexpr SettingKey Wallpaper{u"StartUp", u"Wallpaper", u"0"};

// Printing.
inline constexpr SettingKey Orientation{u"Printer", u"Orientation", u"0"};
inline constexpr SettingKey Line0On{u"Printer", u"Line0On", u"1"};
inline constexpr SettingKey Line1On{u"Printer", u"Line1On", u"1"};
inline constexpr SettingKey Line0{u"Printer", u"Line0", u"0"};
inline constexpr SettingKey Line1{u"Printer", u"Line1", u"3"};
inline constexpr SettingKey Quality{u"Printer", u"Quality", u"2"};
// The printer chosen in the settings ("" the system's default) and its paper
// as a page size key ("A4", "Letter"; "" the printer's own).
inline constexpr SettingKey PrinterDevice{u"Printer", u"Device", u""};
inline constexpr SettingKey PaperSize{u"Printer", u"PaperSize", u""};

// The three sheet fonts share their keys.
inline constexpr QStringView HeadlineFont = u"Headline";
inline constexpr QStringView LabelsFont = u"Labels";
inline constexpr QStringView ValuesFont = u"Values";
inline constexpr QStringView FontName = u"Name";
inline constexpr QStringView FontNameDefault = u"Times New Roman";
inline constexpr QStringView FontSize = u"Size";
inline constexpr QStringView FontBold = u"Bold";
inline constexpr QStringView FontItalic = u"Italic";
inline constexpr QStringView FontStrikethru = u"Strikethru";
inline constexpr QStringView FontUnderline = u"Underline";
inline constexpr double HeadlineSizeDefault = 18;
inline constexpr double TextSizeDefault = 8.25;
inline constexpr double TextSizeForDrawing = 8;

// Keys "0" (most recent) to "3".
inline constexpr QStringView Recent = u"Recent";
inline constexpr int RecentCount = 4;
// Player names under keys "1", "2", ... without gaps.
inline constexpr QStringView Users = u"Users";
// A path handed over by a second start of the program.
inline constexpr SettingKey HandOffPath{u"Temp", u"Load", u""};

// Window places, in twips.
inline constexpr QStringView SheetWindow = u"datasheet";
inline constexpr QStringView ValueOverview = u"shortinfo";

} // namespace Tarvosk::Settings
