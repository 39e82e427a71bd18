// The root calls every layer below it.
void AddinPart();
void EditorPart();
void CodetoolsPart();
void Compose() {
  AddinPart();
  EditorPart();
  CodetoolsPart();
}
