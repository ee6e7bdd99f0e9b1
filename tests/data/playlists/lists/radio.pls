[playlist]
File1=..\music\01 Intro.mp3
Title1=Intro
Length1=213
File2=../music/曲/ｅ.mp3
Title2=ｅ
Length2=-1
File3=http://radio.example/stream
Title3=Radio
Length3=-1
NumberOfEntries=3
Version=2
