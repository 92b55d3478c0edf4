[Script]
count=2
X1=10
Y1=20
Key1=LMB
Delay1=300
X2=$10
Y2=0x20
Key2=œ Ã
Delay2=-1
