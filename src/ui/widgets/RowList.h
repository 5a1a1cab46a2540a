#pragma once

class QTreeView;

// Makes a tree view a list of rows in columns: no tree lines, rows of one
// height, one whole row selected at a time, nothing edited in place.
void SetUpRowList(QTreeView *view);
