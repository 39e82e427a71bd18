x = 1 ' note _
'#include file a
'#Include File a.txt _
  #include x
