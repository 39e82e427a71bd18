void KitPart();
void CodetoolsPart() { KitPart(); }
