#pragma once
// Ids of the resources linked into minnespiegel.exe. Plain defines, since the resource
// compiler reads this header too. The icon has the lowest id, so the shell shows it for the
// file as well as for the window (LoadIconA(instance, MAKEINTRESOURCEA(MINNE_IDI_PROGRAM))).
#define MINNE_IDI_PROGRAM 1
#define MINNE_VERSIONINFO 1
