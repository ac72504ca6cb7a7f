// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_NAVIGATEUR_H
#define VORNA_NAVIGATEUR_H

#include <string>

// Hands a URL to the user's web browser: starts `xdg-open URL` (or the
// command named by the environment variable VORNA_BROWSER, or the one set
// with setCommandeNavigateur) as a detached process through fork and exec,
// never through a shell. Returns false when the process could not be
// started; the game does not wait for the browser.
bool ouvrirUrl(const std::string& url);

// The program started by ouvrirUrl; an empty string restores the default.
void setCommandeNavigateur(const std::string& commande);

#endif
