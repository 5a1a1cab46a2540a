#pragma once

// Command numbers of the main menu, the tool bars and the accelerators. The
// application handles the first group; the second group is carried out by the
// active child window (see ShellChild).
namespace CommandId {

// Application commands.
enum : int {
    Settings = 32772,
    Connect = 32779, // the default server (Ctrl+Z)
    ShowMainBar = 32782,
    ShowWindowBar = 32783,
    Favourites = 32815,
    ChannelSearch = 32848,
    Help = 32895,
    OpenScript = 32905,
    NewScript = 32909,
    IgnoreList = 32931,
    AwayOn = 32945,
    AwayOff = 32947,
    DonationPage = 32951,
    ShowEditBar = 32979,
    ToggleDonating = 33003,
    AddressBook = 33005,
    Reconnect = 33010, // the active window's server, at once
    Welcome = 33011,   // the welcome dialog
    FindEverywhere = 33012, // the logs of every network (Ctrl+Shift+F)
    Mentions = 33040,  // the mentions window (Ctrl+Shift+M)
    Transfers = 33060, // the transfers window
    About = 57664,
    Exit = 57665,
    WindowCascade = 57650,
    WindowTile = 57651,
    NextWindow = 57680,     // F6
    PreviousWindow = 57681, // Shift+F6
    FavouriteServerFirst = 10001,
    FavouriteServerLast = 10999,
    WindowBarFirst = 12200,
    WindowBarLast = 12299,
    WindowMenuFirst = 65280,
    WindowMenuLast = 65380,
    FavouriteChannelFirst = 11001,
    FavouriteChannelLast = 11999,
};

// Commands of the active child window (conversation, script editor).
enum : int {
    // "Úpr&avy"
    EditUndo = 57643,
    EditRedo = 57644,
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    EditPasteSpecial = 57638,
    TextColourMenu = 32862,       // Ctrl+K
    BackgroundColourMenu = 32864, // Ctrl+L
    Bold = 32869,
    Underline = 32870,
    Plain = 32872,
    Inverse = 32873,
    TextColourFirst = 12001, // + colour index 0 .. 15
    BackgroundColourFirst = 12020,
    // "&Kanál"
    ChannelTopic = 33100,
    ModeTopicOps = 33101,   // t
    ModeNoExternal = 33102, // n
    ModeInviteOnly = 33103, // i
    ModeModerated = 33104,  // m
    ModePrivate = 33105,    // p
    ModeSecret = 33106,     // s
    ModeKey = 33107,        // k
    ModeLimit = 33108,      // l
    ChannelBans = 33109,
    ChannelRefresh = 33110,
    ChannelAddFavourite = 33111,
    ChannelProperties = 33112,
    ChannelSearchHere = 33113,
    LoadScript = 33114,
    RemoveScriptFirst = 12101, // one per loaded script
    RemoveScriptNone = 12199,
    UserMessageFirst = 33120, // user messages 1 .. 5 (channel tool bar)
    // "Zobraziť" toggles of a conversation window
    ViewTimeStamps = 33130,
    ViewAutoScroll = 33131,
    ViewFullAddress = 33132,
    ViewSmileys = 33133,
    ViewShowAway = 33134,
    ViewSource = 33135,
    ViewSaveAs = 33136,
    ViewJumpToUnread = 33137, // Ctrl+M: the marker above the first unread line
    // The find bar of a conversation window
    FindInWindow = 33144, // Ctrl+F
    FindNext = 33145,     // F3
    FindPrevious = 33146, // Shift+F3
    // "&Užívateľ"
    UserQuery = 33150,
    UserWhois = 33151,
    UserDccChat = 33152,
    UserDccSend = 33153,
    UserAddContact = 33154,
    UserOp = 33155,
    UserDeop = 33156,
    UserVoice = 33157,
    UserDevoice = 33158,
    UserKick = 33159,
    UserKickReason = 33160,
    UserBan = 33161,
    UserBanKick = 33162,
    UserBanKickReason = 33163,
    UserIgnore = 33164,
    UserProperties = 33165,
    // "&Hľadať Kanály" (channel search window)
    SearchJoin = 32853,
    SearchAddFavourite = 32855,
    SearchShowUsers = 32859,
    SearchSendMessage = 32860,
    SearchSaveList = 32861,
    // "&Skript" (script editor window)
    ScriptSave = 32906, // Ctrl+Alt+S
    ScriptSaveAs = 32907,
    ScriptClose = 32908,
    ScriptParse = 32918, // F7
    ScriptRun = 32923,   // F5
    ScriptLower = 32915, // Ctrl+Alt+L
    ScriptUpper = 32916, // Ctrl+Alt+U
};

} // namespace CommandId
