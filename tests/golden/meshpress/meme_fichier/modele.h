Nombre_de_points: 3
