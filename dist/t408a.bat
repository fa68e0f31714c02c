@REM t408a_水平寸法線＋一括（選択した図形の点に連続寸法を一度に作図）
@echo off
goto run
REM #jww
REM #cd
REM #h1
REM #hc 寸法を入れる図形を選択して下さい
REM #zw
REM #zz
REM #1寸法線の位置を指示して下さい (L)free (R)Read
REM #e
:run
t408.exe /a
