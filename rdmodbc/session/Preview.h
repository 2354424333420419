#pragma once
// The preview of the field-mapping dialog: what the host would receive.
class CFieldMapDlg;

// Reads the first rows that the import of the dialog's choices would
// deliver, through the import's own statement and field pipeline, over a
// read-only connection of its own with the session's connect string, and
// counts the rows of the import; then shows them. A driver error is shown
// instead, and the dialog's choices stay as they are.
void ShowPreview(const CFieldMapDlg& dlg);
