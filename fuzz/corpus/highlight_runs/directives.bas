'#include file api.txt
s = "a""b" & x ' c
'#end "X Y"
