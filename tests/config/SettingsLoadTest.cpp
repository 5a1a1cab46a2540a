#include "ConfigFixture.h"

#include "config/AppSettings.h"

TEST_F(ConfigTest, WithoutAFileTheBuiltInSettingsApply)
{
    AppSettings settings;
    settings.m_colorInfo = 1;
    settings.m_fontName = "Arial";
    settings.m_maxTextSize = 7;
    settings.m_enableTray = true;
    LoadAppearance(settings);
    int identCalls = 0;
    bool identOn = true;
    LoadBehaviour(settings, [&](bool on) {
        ++identCalls;
        identOn = on;
    });

    EXPECT_EQ(settings.m_colorInfo, 0x6495EDu);
    EXPECT_EQ(settings.m_colorText, 0x000000u);
    EXPECT_EQ(settings.m_colorHigh, 0x2E8B57u);
    EXPECT_EQ(settings.m_colorError, 0xB22222u);
    EXPECT_EQ(settings.m_colorTime, 0x949494u);
    EXPECT_EQ(settings.m_colorList, 0xCEDFF6u);
    EXPECT_EQ(settings.m_colorMyText, 0xEE4040u);
    EXPECT_EQ(settings.m_colorHiText, 0x87CEEBu);
    EXPECT_EQ(settings.m_colorABText, 0x50AA50u);
    EXPECT_EQ(settings.m_colorNick, 0x0066CCu);
    EXPECT_EQ(settings.m_fontName, "Courier New");
    EXPECT_EQ(settings.m_fontSize, 10);
    EXPECT_EQ(settings.m_maxTextSize, 1000000);
    EXPECT_FALSE(settings.m_enableTray);
    EXPECT_EQ(settings.m_balloonSound, 0);
    EXPECT_EQ(identCalls, 1);
    EXPECT_FALSE(identOn);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ConfigTest, AppearanceKeysAndTheirRules)
{
    writeRaw("[Base]\nColor Info=112233\nColor Text=FF00\nColor High=\nColor List=abcdef\n"
             "MyText=010203\nFont=DejaVu Sans Mono\nFont Size=0\n");
    AppSettings settings;
    LoadAppearance(settings);
    EXPECT_EQ(settings.m_colorInfo, 0x112233u);
    EXPECT_EQ(settings.m_colorText, 0u);
    EXPECT_EQ(settings.m_colorHigh, 0x2E8B57u);
    EXPECT_EQ(settings.m_colorList, 0xABCDEFu);
    EXPECT_EQ(settings.m_colorMyText, 0x010203u);
    EXPECT_EQ(settings.m_fontName, "DejaVu Sans Mono");
    EXPECT_EQ(settings.m_fontSize, 10);

    ASSERT_TRUE(WriteInt(kBaseSection, "Font Size", -3));
    LoadAppearance(settings);
    EXPECT_EQ(settings.m_fontSize, 10);
    ASSERT_TRUE(WriteInt(kBaseSection, "Font Size", 14));
    LoadAppearance(settings);
    EXPECT_EQ(settings.m_fontSize, 14);
}

TEST_F(ConfigTest, MaxTextSizeIsNeverBelowAMillion)
{
    AppSettings settings;
    for (const auto &[text, expected] : std::vector<std::pair<std::string, int>>{
             {"5", 1000000}, {"2000000", 2000000}, {"-1", 1000000}, {"abc", 1000000}, {"1000001", 1000001}}) {
        ASSERT_TRUE(WriteString(kBaseSection, "Max Text Size", text));
        LoadBehaviour(settings);
        EXPECT_EQ(settings.m_maxTextSize, expected) << text;
    }
}

TEST_F(ConfigTest, BalloonSoundIsOneOfTheSystemSounds)
{
    AppSettings settings;
    for (const auto &[text, expected] : std::vector<std::pair<std::string, int>>{
             {"0", 0}, {"16", 16}, {"32", 32}, {"48", 48}, {"64", 64}, {"17", 0}, {"-16", 0}, {"x", 0}}) {
        ASSERT_TRUE(WriteString(kBaseSection, "Beep Baloon", text));
        LoadBehaviour(settings);
        EXPECT_EQ(settings.m_balloonSound, expected) << text;
    }
}

TEST_F(ConfigTest, BehaviourKeysReachTheirFields)
{
    writeRaw("[Base]\nShow Ping=True\nOpen Query Window=1\nInVisible=true\nUpdate Nick=TRUE\n"
             "Query Dialog=True\nDCC Dialog=True\nEnable Tray=True\nBeep On Message=True\nShow Baloon=True\n"
             "Msgs Quit=Dovidenia\nMsgs Part=Idem\nMsgs Join=Ahoj\nMsgs User1=u1\nMsgs User5=u5\n"
             "Donating=True\nAuto Change Nick=True\nHiLighting=True\nNotice Msgs To Wnd=True\n"
             "Ident Server=True\nHide Minimized=True\nZoomed=True\nHiLight Words=brimo vydanie\n");
    AppSettings settings;
    bool identOn = false;
    LoadBehaviour(settings, [&](bool on) { identOn = on; });
    EXPECT_TRUE(settings.m_showPing);
    EXPECT_TRUE(settings.m_openQueryWindow);
    EXPECT_TRUE(settings.m_invisible);
    EXPECT_TRUE(settings.m_updateNick);
    EXPECT_TRUE(settings.m_queryDialog);
    EXPECT_TRUE(settings.m_dccDialog);
    EXPECT_TRUE(settings.m_enableTray);
    EXPECT_TRUE(settings.m_beepOnMessage);
    EXPECT_TRUE(settings.m_showBalloon);
    EXPECT_EQ(settings.m_quitMessage, "Dovidenia");
    EXPECT_EQ(settings.m_partMessage, "Idem");
    EXPECT_EQ(settings.m_joinMessage, "Ahoj");
    EXPECT_EQ(settings.m_userTexts, (std::array<std::string, 5>{"u1", "", "", "", "u5"}));
    EXPECT_TRUE(settings.m_donating);
    EXPECT_TRUE(settings.m_autoChangeNick);
    EXPECT_TRUE(settings.m_highlighting);
    EXPECT_TRUE(settings.m_noticesToWindow);
    EXPECT_TRUE(settings.m_identServer);
    EXPECT_TRUE(identOn);
    EXPECT_TRUE(settings.m_hideMinimized);
    EXPECT_TRUE(settings.m_zoomed);
    EXPECT_EQ(settings.m_highlightWords, "brimo vydanie");

    ASSERT_TRUE(WriteBool(kBaseSection, "Ident Server", false));
    ASSERT_TRUE(WriteString(kBaseSection, "Msgs User1"));
    LoadBehaviour(settings, [&](bool on) { identOn = on; });
    EXPECT_FALSE(identOn);
    EXPECT_EQ(settings.m_userTexts[0], "");
}

TEST_F(ConfigTest, LoggingAndDesktopNotificationsAreOnByDefaultAndTheirKeysReachTheirFields)
{
    AppSettings settings;
    settings.m_logging = false;
    settings.m_desktopNotifications = false;
    settings.m_logReplayLines = 7;
    LoadBehaviour(settings);
    EXPECT_TRUE(settings.m_logging);
    EXPECT_TRUE(settings.m_desktopNotifications);
    EXPECT_EQ(settings.m_logFolder, "");
    EXPECT_EQ(settings.m_logReplayLines, 100);

    writeRaw("[Base]\nLogging=False\nLog Folder=/tmp/záznamy\nLog Lines=250\nDesktop Notifications=False\n");
    LoadBehaviour(settings);
    EXPECT_FALSE(settings.m_logging);
    EXPECT_FALSE(settings.m_desktopNotifications);
    EXPECT_EQ(settings.m_logFolder, "/tmp/záznamy");
    EXPECT_EQ(settings.m_logReplayLines, 250);

    writeRaw("[Base]\nLogging=True\nLog Lines=99999\n");
    LoadBehaviour(settings);
    EXPECT_TRUE(settings.m_logging);
    EXPECT_EQ(settings.m_logReplayLines, 10000);
}
