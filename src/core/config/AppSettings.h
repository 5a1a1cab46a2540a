#pragma once

#include <array>
#include <cstdint>
#include <string>

struct FormatContext;

// The settings record of the application: filled from section "Base" of
// brimo.conf by LoadAppearance and LoadBehaviour and written back by
// SaveSettings (Config.h), the only reader and writer of those keys; the
// settings sheet edits a copy. Colours are 0xRRGGBB.
struct AppSettings
{
    // Appearance
    uint32_t m_colorInfo = 0x6495ED;        // "Color Info"
    uint32_t m_colorText = 0x000000;        // "Color Text"
    uint32_t m_colorHigh = 0x2E8B57;        // "Color High"
    uint32_t m_colorError = 0xB22222;       // "Color Error"
    uint32_t m_colorTime = 0x949494;        // "Color Time"
    uint32_t m_colorWindow = 0xFFFFFF;      // the system's window colour; not stored, the UI sets it
    uint32_t m_colorMyText = 0xEE4040;      // "MyText"
    uint32_t m_colorHiText = 0x87CEEB;      // "HiText": edited and stored only
    uint32_t m_colorABText = 0x50AA50;      // "ABText": nicks of the address book
    std::string m_fontName = "Courier New"; // "Font"
    int m_fontSize = 10;                    // "Font Size", never below 1
    uint32_t m_colorNick = 0x0066CC;        // fixed colour of the nick list, not stored
    uint32_t m_colorList = 0xCEDFF6;        // "Color List"

    // Behaviour
    bool m_showPing = false;                // "Show Ping"
    bool m_openQueryWindow = false;         // "Open Query Window"
    int m_maxTextSize = 1000000;            // "Max Text Size", never below 1000000
    bool m_invisible = false;               // "InVisible"
    bool m_updateNick = false;              // "Update Nick"
    bool m_queryDialog = false;             // "Query Dialog"
    bool m_dccDialog = false;               // "DCC Dialog"
    bool m_enableTray = false;              // "Enable Tray"
    bool m_beepOnMessage = false;           // "Beep On Message"
    bool m_showBalloon = false;             // "Show Baloon"
    int m_balloonSound = 0;                 // "Beep Baloon": 0, 16, 32, 48 or 64
    bool m_desktopNotifications = true;     // "Desktop Notifications": private messages, mentions, offers
    std::string m_quitMessage;              // "Msgs Quit"
    std::string m_partMessage;              // "Msgs Part"
    std::string m_joinMessage;              // "Msgs Join"
    std::array<std::string, 5> m_userTexts; // "Msgs User1" .. "Msgs User5"
    bool m_donating = false;                // "Donating"
    bool m_autoChangeNick = false;          // "Auto Change Nick"
    bool m_highlighting = false;            // "HiLighting"
    bool m_noticesToWindow = false;         // "Notice Msgs To Wnd"
    std::string m_highlightWords;           // "HiLight Words": blank-separated; lines naming one are mentions
    bool m_logging = true;                  // "Logging"
    std::string m_logFolder;                // "Log Folder": empty, DefaultLogDirectory
    int m_logReplayLines = 100;             // "Log Lines": shown again when a window opens, 0..10000

    // Identity, used where a favourite server has none of its own.
    std::string m_nick;     // "Nick"
    std::string m_email;    // "User E-Mail"
    std::string m_fullName; // "User Full Name"

    // Also loaded by LoadBehaviour, for the shell's convenience.
    bool m_identServer = false;   // "Ident Server"
    bool m_hideMinimized = false; // "Hide Minimized": written "True" by the sheet
    bool m_zoomed = false;        // "Zoomed" of "Base": conversation windows maximised
};

// Copies the colours, "HiLighting", "MyText" and "ABText" of the settings
// into the context lines are formatted with.
void ApplySettings(FormatContext &context, const AppSettings &settings);
