#pragma once

// The faces the layouts and older documents name that Linux desktops do not have ("MS Sans
// Serif", "Courier", ...) are drawn in the closest installed face of the same metrics family:
// a narrow sans serif rather than fontconfig's general fallback, which runs much wider.
class FontSubstitutes {
public:
    // Registers the substitutes with Qt; once per process is enough.
    static void install();
};
