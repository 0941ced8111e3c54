#include "gdi/CDC.h"

// Text output is not available yet: fonts are never created and text draws nothing.
struct FontFace {};

CFont::CFont() = default;
CFont::~CFont() = default;

BOOL CFont::CreateFont(int, int, int, int, int, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE,
                       const char*) {
    return FALSE;
}

CFont* CDC::CurrentFont() {
    return m_pFont;
}

BOOL CDC::TextOut(int, int, const char*, int) {
    return FALSE;
}

int CDC::DrawText(const char*, int, RECT*, UINT) {
    return 0;
}
