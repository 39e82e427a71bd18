// The editor's part is reported; the kit's, one defined in its own layer and one that no object of
// the tree defines (the system's) are not.
void EditorPart();
void KitPart();
void SystemPart();
void AddinPart() {}
void AddinHelper() {}
void AddinCalls() {
  EditorPart();
  KitPart();
  AddinHelper();
  SystemPart();
}
