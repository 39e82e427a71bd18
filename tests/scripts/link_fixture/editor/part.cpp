// Calls down: not reported.
void AddinPart();
void EditorPart() { AddinPart(); }
