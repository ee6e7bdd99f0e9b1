[playlist]
File1=../music/01 Intro.mp3
Title1=Intro
File2=../music/Track 2.mp3
File3=https://radio.example/stream
Title3=Radio
Version=2
