// The sandbox takes kit/ and win/ only: the text engine is reported.
void KitPart();
void CodetoolsPart();
void Sandbox() {
  KitPart();
  CodetoolsPart();
}
