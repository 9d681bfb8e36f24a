#pragma once
// Where the player stands in the game, for the screens around the board: the current
// profile's level kept in 1..50 (a damaged file may hold anything), 1 without a profile.
int PlayerLevel();
// 1..10 and 1..5.
int PlayerChapter();
int PlayerSubLevel();
