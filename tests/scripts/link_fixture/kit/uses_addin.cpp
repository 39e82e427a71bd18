// Calls up two layers: reported.
void AddinPart();
void KitPart() {}
void KitCallsUp() { AddinPart(); }
