[playlist]
NumberOfEntries=1
File2=../music/Track 2.mp3
File1=../music/01 Intro.mp3
File10=../music/Café Olé.mp3
