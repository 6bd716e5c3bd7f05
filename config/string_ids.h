#pragma once
// The base ids of the texts in the string table (config/strings_texts.cpp),
// by name. Each id has one name, whichever window shows it. Messages of the
// main window's status bar start with kMsg; the text shown is the one of
// base id + language offset (see config/string_table.h).

namespace pebble {

// The About window, the program's own descriptions and its links.
constexpr int kAboutCaption = 1;
constexpr int kProgramForWindows = 2;  // the About window's title on Windows
constexpr int kAboutDeveloper = 3;
constexpr int kAboutPostcardware = 4;
constexpr int kAboutMoreInHelp = 5;
constexpr int kMailCaption = 6;
constexpr int kWebButton = 7;
constexpr int kAboutOk = 8;
constexpr int kWebLink = 9;
constexpr int kMailLink = 10;  // "%s" is the version
constexpr int kNoBrowser = 11;  // the link follows, then a closing quote and a full stop
constexpr int kAboutMailPlea = 12;
constexpr int kAboutMailAnyway = 13;
constexpr int kShortcutDescription = 14;  // also the comment of the menu entry
constexpr int kThisIsMe = 20;
constexpr int kImportant = 21;
constexpr int kPostcardAddress = 22;
constexpr int kGameFileFilter = 25;  // "name|pattern|name|pattern"
constexpr int kMailColumn = 26;
constexpr int kReportMailPlea = 27;
constexpr int kProgramForLinux = 800;  // the About window's title elsewhere

// Messages in the main window's status bar, and the boxes of a game.
constexpr int kMsgStarting = 50;
constexpr int kMsgGoAhead = 51;
constexpr int kMsgThinking = 52;
constexpr int kMsgNoLuck = 53;
constexpr int kMsgGameOver = 54;
constexpr int kMsgWon = 55;
constexpr int kMsgRestoring = 56;
constexpr int kMsgUndoing = 57;
constexpr int kUndoFailed = 58;
constexpr int kMsgTimeIsUp = 59;
constexpr int kMsgSuspended = 60;
constexpr int kMsgDropping = 61;
constexpr int kMsgSaved = 62;
constexpr int kMsgOpened = 63;
constexpr int kClearedBonus = 64;  // "%s" is the bonus
constexpr int kMsgError = 100;
constexpr int kMsgClickOnField = 102;
constexpr int kMsgPicture = 103;
constexpr int kMsgRock = 105;

// What the hints window says about a cell.
constexpr int kTileLabel = 80;  // the cell's number follows
constexpr int kKindNormal = 81;
constexpr int kKindBomb = 82;
constexpr int kKindRocket = 83;
constexpr int kKindRock = 84;
constexpr int kBackgroundCell = 85;
constexpr int kGroupLabel = 86;
constexpr int kPointsLabel = 87;

// Errors and warnings.
constexpr int kStartupFailed = 101;
constexpr int kCheatAlarm = 104;
constexpr int kNoProtocol = 106;
constexpr int kSaveFailed = 107;
constexpr int kNotAGameFile = 108;
constexpr int kReadFailed = 109;
constexpr int kRecordFailed = 110;
constexpr int kScoresReadFailed = 111;
constexpr int kNarrowField = 112;
constexpr int kProceed = 158;  // follows a warning as its question

// Messages of the configuration dialog.
constexpr int kPixelUnit = 150;
constexpr int kNoneSelected = 151;
constexpr int kChoosePictureTitle = 152;
constexpr int kChooseFolderTitle = 153;
constexpr int kNoFolder = 154;
constexpr int kNoPicture = 155;

// The score entry, the statistics' questions and the player history.
constexpr int kRecordCaption = 170;
constexpr int kRecordPrompt = 171;
constexpr int kAnonymous = 172;  // the name query was cancelled
constexpr int kNoName = 173;     // the name query was confirmed empty
constexpr int kClearScoresQuestion = 174;
constexpr int kHistoryInfo = 175;
constexpr int kHistoryCaption = 176;
constexpr int kHistorySaveHint = 177;
constexpr int kExampleAddress = 178;
constexpr int kAddressHint = 179;
constexpr int kNameHint = 180;
constexpr int kHistoryFileInfo = 181;
constexpr int kHistoryCancelHint = 182;
constexpr int kShowReportCheck = 183;
constexpr int kCloseButton = 184;

// The main window's tool buttons, field, ramp and file dialogs.
constexpr int kNewGameHint = 200;
constexpr int kUndoHint = 201;
constexpr int kStatsHint = 202;
constexpr int kCfgHint = 203;
constexpr int kAboutHint = 204;
constexpr int kFieldHint = 206;
constexpr int kRampHint = 207;
constexpr int kHelpHint = 208;
constexpr int kFilesHint = 209;
constexpr int kOpenTitle = 210;
constexpr int kSaveTitle = 211;

// The configuration dialog: caption, pages and buttons.
constexpr int kCfgCaption = 250;
constexpr int kPictureFilter = 251;  // "name|pattern|name|pattern"
constexpr int kFieldPage = 252;
constexpr int kStonesPage = 253;
constexpr int kBackgroundPage = 254;
constexpr int kSpecialPage = 255;
constexpr int kRestoreButton = 295;
constexpr int kRestoreHint = 296;
constexpr int kSaveButton = 297;
constexpr int kSaveHint = 298;
constexpr int kCancelButton = 299;
constexpr int kCancelHint = 300;
constexpr int kRestartNeeded = 312;
constexpr int kActionsPage = 314;

// The configuration dialog: the field and its stones.
constexpr int kStonesTitle = 260;
constexpr int kStoneHeightLabel = 261;
constexpr int kStoneWidthLabel = 262;
constexpr int kStoneHeightHint = 263;
constexpr int kStoneWidthHint = 264;
constexpr int kStonePreviewHint = 265;
constexpr int kFieldTitle = 266;
constexpr int kRowsLabel = 267;
constexpr int kColumnsLabel = 268;
constexpr int kRowsHint = 269;
constexpr int kColumnsHint = 270;
constexpr int kWindowHeightLabel = 271;
constexpr int kWindowHeightHint = 272;
constexpr int kWindowWidthLabel = 273;
constexpr int kWindowWidthHint = 274;

// The configuration dialog: colours, effects and sounds.
constexpr int kColorsTitle = 275;
constexpr int kColorCountLabel = 276;
constexpr int kColorCountHint = 277;
constexpr int kPlaySounds = 278;
constexpr int kPlaySoundsHint = 279;
constexpr int kEffectsTitle = 301;
constexpr int kTextured = 302;
constexpr int kTexturedHint = 303;
constexpr int kVoyeur = 304;
constexpr int kVoyeurHint = 305;
constexpr int kTraceLines = 306;
constexpr int kTraceLinesHint = 307;
constexpr int kSoundsTitle = 308;
constexpr int kChooseColors = 324;
constexpr int kChooseColorsHint = 328;
constexpr int kGrayBackground = 326;
constexpr int kGrayBackgroundHint = 327;

// The configuration dialog: the background.
constexpr int kSourceTitle = 280;
constexpr int kFromPicture = 281;
constexpr int kFromPictureHint = 282;
constexpr int kFromFolder = 283;
constexpr int kFromFolderHint = 284;
constexpr int kDefaultPicture = 285;
constexpr int kDefaultPictureHint = 286;
constexpr int kFitWindowToPicture = 287;
constexpr int kFitWindowToPictureHint = 288;
constexpr int kPictureTitle = 289;
constexpr int kChoosePicture = 290;
constexpr int kChoosePictureHint = 291;
constexpr int kFolderTitle = 292;
constexpr int kChooseFolder = 293;
constexpr int kChooseFolderHint = 294;

// The configuration dialog: actions, undo, count mode and language.
constexpr int kTrackGame = 309;
constexpr int kTrackGameHint = 310;
constexpr int kLanguageLabel = 311;
constexpr int kTranslatorCredit = 313;  // French only
constexpr int kSpecialStones = 315;
constexpr int kSpecialStonesHint = 316;
constexpr int kAnimations = 317;
constexpr int kAnimationsHint = 318;
constexpr int kAutoDrop = 319;
constexpr int kAutoDropHint = 320;
constexpr int kDurationLabel = 321;
constexpr int kDurationHint = 322;
constexpr int kSecondsUnit = 323;
constexpr int kCountModeLabel = 329;
constexpr int kCountModeLabelHint = 330;
constexpr int kLowScoreMode = 331;
constexpr int kLowScoreModeHint = 332;
constexpr int kHighScoreMode = 333;
constexpr int kHighScoreModeHint = 334;
constexpr int kClearableOnly = 875;
constexpr int kClearableOnlyHint = 876;

// The colour dialog.
constexpr int kColorTaken = 325;
constexpr int kPaletteWarning = 335;
constexpr int kRefusedColor = 336;
constexpr int kClassicPaletteButton = 337;
constexpr int kXpPaletteButton = 338;
constexpr int kWildPaletteButton = 339;

// The statistics window and the count-down clock.
constexpr int kStatsCaption = 350;
constexpr int kGamesPlayed = 351;
constexpr int kGamesPlayedHint = 352;
constexpr int kBestGame = 353;
constexpr int kBestGameHint = 354;
constexpr int kAverageLeft = 355;
constexpr int kAverageLeftHint = 356;
constexpr int kClearButton = 357;
constexpr int kClearHint = 358;
constexpr int kCloseHint = 359;
constexpr int kNamesHint = 360;
constexpr int kSuspendHint = 361;
constexpr int kStatsTitle = 370;
constexpr int kStatsTitle2 = 371;
constexpr int kCountModeHint = 372;
constexpr int kHideScoreHint = 373;
constexpr int kHighScore = 374;
constexpr int kHighScoreHint = 375;
constexpr int kBestMove = 376;
constexpr int kBestMoveHint = 377;

// Read without the language offset (see IsReadWithoutOffset).
constexpr int kFirstDefaultName = 500;   // 500 ... 509: made-up names for an empty score table
constexpr int kLanguageCount = 550;      // the number of languages, as text
constexpr int kFirstLanguageName = 551;  // 551 ... 553: "Deutsch", "English", "Français"

// The hints window.
constexpr int kHintsCaption = 600;
constexpr int kShowHints = 601;
constexpr int kHintsInstruction = 602;

// The report of a saved game's players.
constexpr int kReportCaption = 700;
constexpr int kShowReport = 701;
constexpr int kNameCaption = 702;
constexpr int kDateCaption = 703;
constexpr int kComputerCaption = 704;
constexpr int kNameLabel = 705;
constexpr int kGameSavedOn = 706;  // "%s" the computer, then the date
constexpr int kPlayersUnit = 707;
constexpr int kNothingToShow = 711;

// Why the L key made no desktop shortcut; "%s" is the folder.
constexpr int kNoDesktopFolder = 801;
constexpr int kDesktopUnreachable = 802;
constexpr int kShortcutNotWritten = 803;

// Deal numbers.
constexpr int kPlayDeal = 830;
constexpr int kDealTitle = 831;
constexpr int kDealQuestion = 832;
constexpr int kNotADeal = 833;  // "%s" is what was typed
constexpr int kDealShown = 834;

// The solver's advice, and the deal's best beside the player's result.
constexpr int kMsgSearching = 870;
constexpr int kMsgAdviceStones = 871;
constexpr int kMsgAdvicePoints = 872;
constexpr int kMsgNoAdvice = 873;
constexpr int kMsgDealUnproven = 874;
constexpr int kDealBestCaption = 877;  // also the status message of the deal's best
constexpr int kDealBestStones = 878;
constexpr int kDealBestStone = 879;
constexpr int kDealBestPoints = 880;
constexpr int kDealBestLine = 881;
constexpr int kDealBestHint = 882;
constexpr int kMsgDealing = 890;            // a deal that can be cleared is sought
constexpr int kMsgSearchingDealBest = 891;  // the game is over; its deal's best still comes

// Colours no one confuses: the symbols on the stones, the colour-blind palette.
constexpr int kSymbolsCheck = 920;
constexpr int kSymbolsHint = 921;
constexpr int kColorBlindPaletteButton = 922;
constexpr int kColorBlindPaletteHint = 923;

// The report's result column by count mode and its count of players; the type
// column of the game's file dialogs; a picture the chooser cannot show.
constexpr int kReportStonesLeft = 940;
constexpr int kReportOnePlayer = 941;
constexpr int kReportPlayers = 942;
constexpr int kSavedGameFileType = 943;
constexpr int kFolderFileType = 944;
constexpr int kPictureRefused = 945;

// Every command in sight, the group before the click, and a game a screen
// reader can play: the command menu and its key names, the deal number on
// show, the group preview, and what the controls and the field tell
// assistive technology.
constexpr int kMenuNewGame = 400;
constexpr int kMenuUndo = 401;
constexpr int kMenuRedo = 402;
constexpr int kMenuRestart = 403;
constexpr int kMenuAdvice = 404;
constexpr int kMenuPause = 405;
constexpr int kMenuStats = 406;
constexpr int kMenuHints = 407;
constexpr int kMenuCfg = 408;
constexpr int kMenuHelp = 409;
constexpr int kMenuKeys = 410;
constexpr int kMenuDesktopLink = 411;
constexpr int kMenuDisguise = 412;
constexpr int kKeyBackspace = 413;
constexpr int kKeyShiftZ = 414;
constexpr int kKeyEscape = 415;
constexpr int kMenuTitle = 416;
constexpr int kDealIdle = 417;  // "%s" is the deal number
constexpr int kKeyArrows = 418;
constexpr int kKeySpace = 419;
constexpr int kGroupPreviewCheck = 420;
constexpr int kGroupPreviewHint = 421;
constexpr int kPreviewPoints = 422;     // "%s" stones, "%s" points
constexpr int kPreviewPointsOne = 423;  // one stone, "%s" points
constexpr int kPreviewLeft = 424;       // "%s" stones, "%s" left after the move
constexpr int kPreviewLeftOne = 425;    // one stone, "%s" left
constexpr int kFilesButtonName = 430;
constexpr int kFieldName = 431;
constexpr int kRampName = 432;
constexpr int kStatusBarName = 433;
constexpr int kCellsFigure = 434;    // "%s" cells of the field
constexpr int kLeftFigure = 435;     // "%s" stones left
constexpr int kMovableFigure = 436;  // "%s" movable stones
constexpr int kScoreFigure = 437;    // "%s" points
constexpr int kCellPosition = 438;   // row "%s", column "%s"
constexpr int kLoneStone = 439;
constexpr int kEmptyCell = 440;
constexpr int kRemovedStones = 441;    // "%s" what, "%s" stones
constexpr int kRemovedOneStone = 442;  // "%s" what
constexpr int kFieldDescription = 444;
constexpr int kRampDescription = 445;
constexpr int kFirstColorName = 450;  // 450 ... 468, the colour names of StoneColorName

// Play-test faults: the undo setting from the next game on; the last folder of
// the game's files; the disguise's name in the task bar.
constexpr int kUndoFromNextGame = 950;
constexpr int kAidedMark = 951;  // what the mark of a game played with help means
// The field's scale: the window kept within the screen, the zoom.
constexpr int kMsgFieldScaledDown = 980;
constexpr int kMsgZoom = 981;
// The zoom in the command menu, with its keys.
constexpr int kMenuZoomIn = 982;
constexpr int kMenuZoomOut = 983;
constexpr int kMenuZoomReset = 984;
constexpr int kKeyZoomIn = 985;
constexpr int kKeyZoomOut = 986;
constexpr int kKeyZoomReset = 987;

}  // namespace pebble
