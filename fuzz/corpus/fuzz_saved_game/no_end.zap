"SAVEDGAME"
1,0,"levellist"
"LVL"
"unclosed