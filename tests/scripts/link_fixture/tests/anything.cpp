// Tests may use anything.
void Compose();
void Test() { Compose(); }
