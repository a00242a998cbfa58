#pragma once
// What a screen reader sees of the favorite rows, which are drawn rather
// than made of widgets: a list whose items are the rows, each with its
// caption (and category while searching) as its name and its check box as
// the item's checked state.

class FavoriteRows;

// Makes the rows known to the accessibility framework (once per process).
void InstallFavoriteRowsAccessible();

// The rows changed as a whole: the items a reader holds are gone.
void FavoriteRowsChanged(FavoriteRows* rows);
// The current row moved or its check box changed (n is 1-based).
void FavoriteRowFocused(FavoriteRows* rows, int n);
