#pragma once

#include <QString>

class CUserInterface;
class QWidget;

// The wizard's file dialogs: where each starts, what it suggests and offers.

// What a dialog is for. Each kind starts in the folder last used for it:
// pages are opened and saved in one place, pictures often kept in another,
// and a browser program in a third.
enum class EFileKind { Page, Image, Program };

// The folder a dialog of this kind starts in: the one last used for it (kept
// in the per-user settings beside the browser choice) while it exists, else
// the user's documents folder, else the home folder.
QString StartFolder(EFileKind kind);
// Keeps the folder of a chosen file as the one to start in next time, when
// that folder exists.
void RememberFolder(EFileKind kind, const QString &chosenFile);
// Forgets every folder kept (a fresh start for tests).
void ForgetFolders();

// The open dialog, started in StartFolder(kind); the folder of the file
// chosen is remembered. Empty when cancelled.
QString AskOpenFile(CUserInterface &ui, QWidget *parent, EFileKind kind, const QString &filter);

// The save dialog for a page, suggesting `current` (the page's own path)
// when its folder still exists, else "menu.htm" (or current's name) in
// StartFolder(EFileKind::Page). Remembers the folder chosen.
QString AskSavePage(CUserInterface &ui, QWidget *parent, const QString &filter, const QString &current);

// The pictures a menu may name: what the applet reads (GIF and JPEG), and
// for a page that works in today's browsers also PNG, SVG and WebP.
QString ImageFileFilter(bool bModernPage);
