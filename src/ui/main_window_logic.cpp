// placeholder until the editor lands
